/* Just enough of GLUT's internal state for its shape code to build in the
 * browser: there is no current GLUT window of GLUT's own, so the shapes
 * take the GL 1.1 path of client-side arrays and draw no normals. */
#ifndef MARBLECHESS_FG_INTERNAL_H
#define MARBLECHESS_FG_INTERNAL_H

#include <GL/freeglut.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef M_PI
#define M_PI 3.14159265358979323846
#endif

typedef struct {
  struct {
    GLint attribute_v_coord, attribute_v_normal, attribute_v_texture;
  } Window;
  struct {
    GLboolean VisualizeNormals;
  } State;
} SFG_Window;

extern struct SFG_Structure { SFG_Window* CurrentWindow; } fgStructure;

extern struct SFG_State { GLboolean HasOpenGL20; } fgState;

#define FREEGLUT_EXIT_IF_NOT_INITIALISED(name)

void fgError(const char* format, ...);
void fgWarning(const char* format, ...);

#ifdef __cplusplus
}
#endif

#endif

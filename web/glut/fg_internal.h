/* Just enough of GLUT's internal state for its shape and font code to
 * build in the browser: there is no current GLUT window of GLUT's own, so
 * the shapes take the GL 1.1 path of client-side arrays and draw no
 * normals; stroke fonts draw no dots at their joins, as GLUT's default
 * has it. */
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

extern struct SFG_State {
  GLboolean HasOpenGL20;
  GLboolean StrokeFontDrawJoinDots;
} fgState;

/* The fonts, as GLUT's font data gives them. */
typedef struct tagSFG_Font {
  char* Name;
  int Quantity;
  int Height;
  const GLubyte** Characters;
  float xorig, yorig;
} SFG_Font;

typedef struct tagSFG_StrokeVertex {
  GLfloat X, Y;
} SFG_StrokeVertex;

typedef struct tagSFG_StrokeStrip {
  int Number;
  const SFG_StrokeVertex* Vertices;
} SFG_StrokeStrip;

typedef struct tagSFG_StrokeChar {
  GLfloat Right;
  int Number;
  const SFG_StrokeStrip* Strips;
} SFG_StrokeChar;

typedef struct tagSFG_StrokeFont {
  char* Name;
  int Quantity;
  GLfloat Height;
  const SFG_StrokeChar** Characters;
} SFG_StrokeFont;

#define FREEGLUT_EXIT_IF_NOT_INITIALISED(name)
#define freeglut_return_if_fail(expr) \
  if (!(expr)) return;
#define freeglut_return_val_if_fail(expr, val) \
  if (!(expr)) return val;

void fgError(const char* format, ...);
void fgWarning(const char* format, ...);

#ifdef __cplusplus
}
#endif

#endif

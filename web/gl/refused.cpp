// What GL 1.1 has and WebGL cannot give exactly: the accumulation buffer,
// selection and feedback, and evaluators. Each call GL takes is refused
// when it would draw or read what the stand-in cannot make, and does what
// GL does where that is nothing: the name stack outside selection, an
// accumulation without a buffer, the grids the evaluators would use.

#include "gl/checks.h"
#include "gl/lists.h"
#include "gl/state.h"

namespace standin {

namespace {
GLenum mode = GL_RENDER;
const void* selection = nullptr;  // the buffers selection and feedback would write
const void* feedback = nullptr;
}  // namespace

GLenum renderMode() {
  return mode;
}

}  // namespace standin

using namespace standin;

extern "C" {

// A window without an accumulation buffer gives GL's error; one with it,
// which the page cannot have, is refused.
void glAccum(GLenum op, GLfloat value) {
  perform([op, value] {
    (void)value;
    if (!outsideBeginEnd()) return;
    if (!knownEnum(op, {GL_ACCUM, GL_LOAD, GL_RETURN, GL_MULT, GL_ADD})) return;
    if (!windowHasAccumulation()) return setError(GL_INVALID_OPERATION);
    refuse("glAccum", op);
  });
}

// Selection or feedback without its buffer is GL's error; with it, the
// stand-in cannot give what either would write.
GLint glRenderMode(GLenum newMode) {
  if (!outsideBeginEnd() || !knownEnum(newMode, {GL_RENDER, GL_SELECT, GL_FEEDBACK})) return 0;
  if ((newMode == GL_SELECT && selection == nullptr) ||
      (newMode == GL_FEEDBACK && feedback == nullptr)) {
    setError(GL_INVALID_OPERATION);
    return 0;
  }
  if (newMode != GL_RENDER) refuse("glRenderMode", newMode);
  mode = newMode;
  return 0;
}

void glSelectBuffer(GLsizei size, GLuint* buffer) {
  if (outsideBeginEnd() && validValue(size >= 0)) selection = buffer;
}

void glFeedbackBuffer(GLsizei size, GLenum type, GLfloat* buffer) {
  if (!outsideBeginEnd() || !validValue(size >= 0)) return;
  if (knownEnum(type, {GL_2D, GL_3D, GL_3D_COLOR, GL_3D_COLOR_TEXTURE, GL_4D_COLOR_TEXTURE})) {
    feedback = buffer;
  }
}

// Outside selection, the name stack's calls are ignored.
void glInitNames() {
  perform([] { outsideBeginEnd(); });
}

void glLoadName(GLuint name) {
  perform([name] {
    (void)name;
    outsideBeginEnd();
  });
}

void glPushName(GLuint name) {
  glLoadName(name);
}

void glPopName() {
  glInitNames();
}

void glPassThrough(GLfloat token) {
  perform([token] {
    (void)token;
    outsideBeginEnd();
  });
}

// A map the program gives is there to be evaluated, which the stand-in
// cannot draw.
void glMap1f(GLenum target, GLfloat, GLfloat, GLint, GLint, const GLfloat*) {
  perform([target] { refuse("glMap1", target); });
}

void glMap1d(GLenum target, GLdouble, GLdouble, GLint, GLint, const GLdouble*) {
  perform([target] { refuse("glMap1", target); });
}

void glMap2f(GLenum target, GLfloat, GLfloat, GLint, GLint, GLfloat, GLfloat, GLint, GLint,
             const GLfloat*) {
  perform([target] { refuse("glMap2", target); });
}

void glMap2d(GLenum target, GLdouble, GLdouble, GLint, GLint, GLdouble, GLdouble, GLint, GLint,
             const GLdouble*) {
  perform([target] { refuse("glMap2", target); });
}

void glMapGrid1f(GLint un, GLfloat u1, GLfloat u2) {
  perform([=] {
    if (!outsideBeginEnd() || !validValue(un > 0)) return;
    gl.eval.grid1n = un;
    gl.eval.grid1[0] = u1;
    gl.eval.grid1[1] = u2;
  });
}

void glMapGrid1d(GLint un, GLdouble u1, GLdouble u2) {
  glMapGrid1f(un, float(u1), float(u2));
}

void glMapGrid2f(GLint un, GLfloat u1, GLfloat u2, GLint vn, GLfloat v1, GLfloat v2) {
  perform([=] {
    if (!outsideBeginEnd() || !validValue(un > 0 && vn > 0)) return;
    gl.eval.grid2n[0] = un;
    gl.eval.grid2n[1] = vn;
    gl.eval.grid2[0] = u1;
    gl.eval.grid2[1] = u2;
    gl.eval.grid2[2] = v1;
    gl.eval.grid2[3] = v2;
  });
}

void glMapGrid2d(GLint un, GLdouble u1, GLdouble u2, GLint vn, GLdouble v1, GLdouble v2) {
  glMapGrid2f(un, float(u1), float(u2), vn, float(v1), float(v2));
}

void glEvalCoord1f(GLfloat) {
  perform([] { refuse("glEvalCoord1", "a coordinate"); });
}
void glEvalCoord1d(GLdouble u) {
  glEvalCoord1f(float(u));
}
void glEvalCoord1fv(const GLfloat* u) {
  glEvalCoord1f(*u);
}
void glEvalCoord1dv(const GLdouble* u) {
  glEvalCoord1f(float(*u));
}
void glEvalCoord2f(GLfloat, GLfloat) {
  perform([] { refuse("glEvalCoord2", "a coordinate"); });
}
void glEvalCoord2d(GLdouble u, GLdouble v) {
  glEvalCoord2f(float(u), float(v));
}
void glEvalCoord2fv(const GLfloat* u) {
  glEvalCoord2f(u[0], u[1]);
}
void glEvalCoord2dv(const GLdouble* u) {
  glEvalCoord2f(float(u[0]), float(u[1]));
}
void glEvalPoint1(GLint) {
  perform([] { refuse("glEvalPoint1", "a point"); });
}
void glEvalPoint2(GLint, GLint) {
  perform([] { refuse("glEvalPoint2", "a point"); });
}
void glEvalMesh1(GLenum mode, GLint, GLint) {
  perform([mode] { refuse("glEvalMesh1", mode); });
}
void glEvalMesh2(GLenum mode, GLint, GLint, GLint, GLint) {
  perform([mode] { refuse("glEvalMesh2", mode); });
}

void glGetMapfv(GLenum target, GLenum, GLfloat*) {
  refuse("glGetMap", target);
}
void glGetMapdv(GLenum target, GLenum, GLdouble*) {
  refuse("glGetMap", target);
}
void glGetMapiv(GLenum target, GLenum, GLint*) {
  refuse("glGetMap", target);
}

}  // extern "C"

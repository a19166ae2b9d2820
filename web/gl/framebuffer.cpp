// The calls that act on the framebuffer or on how WebGL draws into it:
// WebGL does them itself, after the draws gathered before them.

#include <webgl/webgl1.h>

#include "gl/batch.h"
#include "gl/state.h"

using namespace standin;

extern "C" {

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  const auto clamp = [](GLfloat v) { return v < 0 ? 0.0f : v > 1 ? 1.0f : v; };
  gl.clearColour = {clamp(red), clamp(green), clamp(blue), clamp(alpha)};
}

// The clear colour goes to WebGL with every clear: it is the stand-in's
// state, not WebGL's.
void glClear(GLbitfield mask) {
  flushDraws();
  const Vec4& c = gl.clearColour;
  emscripten_glClearColor(c[0], c[1], c[2], c[3]);
  emscripten_glClear(mask);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  flushDraws();
  emscripten_glViewport(x, y, width, height);
  gl.viewportHeight = height;
}

void glDepthFunc(GLenum func) {
  flushDraws();
  emscripten_glDepthFunc(func);
}

void glFlush() {
  flushDraws();
}

void glFinish() {
  flushDraws();
}

}  // extern "C"

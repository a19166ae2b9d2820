// The calls that act on the framebuffer or on how WebGL draws into it:
// WebGL does them itself, after the draws gathered before them.

#include <webgl/webgl1.h>

#include "gl/batch.h"
#include "gl/state.h"

using namespace standin;

extern "C" {

void glClear(GLbitfield mask) {
  flushDraws();
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

// The calls that act on the framebuffer or on how WebGL draws into it:
// WebGL does them itself (device.cpp), after the draws gathered before them.

#include <webgl/webgl1.h>

#include "gl/batch.h"
#include "gl/device.h"
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
  device::clear(mask, gl.clearColour.data());
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  flushDraws();
  device::setViewport(x, y, width, height);
  gl.viewportHeight = height;
}

void glDepthFunc(GLenum func) {
  flushDraws();
  device::setDepthFunc(func);
}

void glFlush() {
  flushDraws();
}

void glFinish() {
  flushDraws();
}

}  // extern "C"

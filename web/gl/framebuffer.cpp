// The calls that act on the framebuffer or on how WebGL draws into it:
// WebGL does them itself (device.cpp), after the draws gathered before them.

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"

using namespace standin;

extern "C" {

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  if (!changesStateNow("glClearColor")) return;
  const auto clamp = [](GLfloat v) { return v < 0 ? 0.0f : v > 1 ? 1.0f : v; };
  gl.clearColour = {clamp(red), clamp(green), clamp(blue), clamp(alpha)};
}

// The clear colour goes to WebGL with every clear: it is the stand-in's
// state, not WebGL's. There is no accumulation buffer to clear.
void glClear(GLbitfield mask) {
  if (!changesStateNow("glClear")) return;
  constexpr GLbitfield buffers =
      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
  if ((mask & ~buffers) != 0) return setError(GL_INVALID_VALUE);
  flushDraws();
  device::clear(mask & ~GL_ACCUM_BUFFER_BIT, gl.clearColour.data());
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (!changesStateNow("glViewport")) return;
  if (width < 0 || height < 0) return setError(GL_INVALID_VALUE);
  flushDraws();
  device::setViewport(x, y, width, height);
  gl.viewportHeight = height;
  stateChanged();
}

void glDepthFunc(GLenum func) {
  if (!changesStateNow("glDepthFunc")) return;
  if (func < GL_NEVER || func > GL_ALWAYS) return setError(GL_INVALID_ENUM);
  flushDraws();
  device::setDepthFunc(func);
}

void glFlush() {
  if (outsideBeginEnd()) flushDraws();
}

void glFinish() {
  if (outsideBeginEnd()) flushDraws();
}

}  // extern "C"

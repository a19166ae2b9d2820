// The calls that act on the framebuffer or on where draws go into it: the
// clears, the viewport and depth range, the buffers drawn and read, and
// the masks. WebGL does the clear itself (device.cpp), after the draws
// gathered before it.

#include <algorithm>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/state.h"

using namespace standin;

namespace {

float clamp01(double v) {
  return float(std::clamp(v, 0.0, 1.0));
}

}  // namespace

namespace standin {

// GL's switches as a clear honours them: the scissor and the masks.
Switches clearSwitches() {
  Key none;
  return drawState(nullptr, none).switches;
}

}  // namespace standin

extern "C" {

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  perform([=] {
    if (outsideBeginEnd())
      gl.colourBuffer.clearColour = {clamp01(red), clamp01(green), clamp01(blue), clamp01(alpha)};
  });
}

void glClearDepth(GLclampd depth) {
  perform([=] {
    if (outsideBeginEnd()) gl.depth.clear = clamp01(depth);
  });
}

void glClearStencil(GLint s) {
  perform([=] {
    if (outsideBeginEnd()) gl.stencil.clear = s;
  });
}

void glClearIndex(GLfloat c) {
  perform([=] {
    if (outsideBeginEnd()) gl.colourBuffer.clearIndex = c;
  });
}

void glClearAccum(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  perform([=] {
    if (outsideBeginEnd()) gl.accum.clear = {red, green, blue, alpha};
  });
}

// A window without an accumulation buffer has nothing to clear of it.
void glClear(GLbitfield mask) {
  perform([mask] {
    if (!outsideBeginEnd()) return;
    constexpr GLbitfield buffers =
        GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
    if (!validValue((mask & ~buffers) == 0)) return;
    flushDraws();
    device::clear(mask & ~GL_ACCUM_BUFFER_BIT, gl.colourBuffer.clearColour.data(),
                  float(gl.depth.clear), gl.stencil.clear, clearSwitches());
  });
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  perform([=] {
    if (!outsideBeginEnd() || !validValue(width >= 0 && height >= 0)) return;
    flushDraws();
    constexpr GLsizei largest = 16384;
    ViewportGroup& v = gl.viewport;
    v.x = x;
    v.y = y;
    v.width = std::min(width, largest);
    v.height = std::min(height, largest);
    device::setViewport(v.x, v.y, v.width, v.height);
    stateChanged();
  });
}

void glDepthRange(GLclampd nearVal, GLclampd farVal) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    flushDraws();
    gl.viewport.nearVal = clamp01(nearVal);
    gl.viewport.farVal = clamp01(farVal);
    device::setDepthRange(float(gl.viewport.nearVal), float(gl.viewport.farVal));
    stateChanged();
  });
}

void glDepthFunc(GLenum func) {
  perform([func] {
    if (!outsideBeginEnd() || !knownEnum(func >= GL_NEVER && func <= GL_ALWAYS)) return;
    gl.depth.func = func;
    stateChanged();
  });
}

void glDepthMask(GLboolean flag) {
  perform([flag] {
    if (!outsideBeginEnd()) return;
    gl.depth.mask = flag != GL_FALSE;
    stateChanged();
  });
}

void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    const GLboolean mask[4] = {red, green, blue, alpha};
    for (int i = 0; i < 4; ++i) gl.colourBuffer.colourMask[i] = mask[i] != GL_FALSE;
    stateChanged();
  });
}

void glIndexMask(GLuint mask) {
  perform([mask] {
    if (outsideBeginEnd()) gl.colourBuffer.indexMask = mask;
  });
}

void glStencilMask(GLuint mask) {
  perform([mask] {
    if (!outsideBeginEnd()) return;
    gl.stencil.writeMask = mask;
    stateChanged();
  });
}

// The page's window has one buffer, the canvas, which stands for the front
// and the back ones alike; a window has no right or auxiliary buffers, and
// none draws nothing.
bool knownBuffer(GLenum mode) {
  return knownEnum(
      mode, {GL_NONE, GL_FRONT_LEFT, GL_FRONT_RIGHT, GL_BACK_LEFT, GL_BACK_RIGHT, GL_FRONT, GL_BACK,
             GL_LEFT, GL_RIGHT, GL_FRONT_AND_BACK, GL_AUX0, GL_AUX1, GL_AUX2, GL_AUX3});
}

bool windowHas(GLenum mode) {
  const bool right = mode == GL_FRONT_RIGHT || mode == GL_BACK_RIGHT || mode == GL_RIGHT;
  const bool auxiliary = mode >= GL_AUX0 && mode <= GL_AUX3;
  if (right || auxiliary) setError(GL_INVALID_OPERATION);
  return !right && !auxiliary;
}

void glDrawBuffer(GLenum mode) {
  perform([mode] {
    if (!outsideBeginEnd() || !knownBuffer(mode) || !windowHas(mode)) return;
    gl.colourBuffer.drawBuffer = mode;
    stateChanged();
  });
}

void glReadBuffer(GLenum mode) {
  if (!outsideBeginEnd() || !knownBuffer(mode) || !validValue(mode != GL_NONE) ||
      !windowHas(mode)) {
    return;
  }
  gl.pixelMode.readBuffer = mode;
}

void glFlush() {
  if (outsideBeginEnd()) flushDraws();
}

void glFinish() {
  if (outsideBeginEnd()) flushDraws();
}

}  // extern "C"

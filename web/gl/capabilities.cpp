// glEnable and glDisable. The depth test is WebGL's own, so the draws
// gathered before a change go to WebGL first.

#include <webgl/webgl1.h>

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

void setCapability(GLenum cap, bool on) {
  switch (cap) {
    case GL_LIGHTING:
      gl.lighting = on;
      break;
    case GL_LIGHT0:
      gl.light0 = on;
      break;
    case GL_NORMALIZE:
      gl.normalizing = on;
      break;
    case GL_TEXTURE_2D:
      gl.texturing = on;
      break;
    case GL_TEXTURE_GEN_S:
      gl.generateS = on;
      break;
    case GL_TEXTURE_GEN_T:
      gl.generateT = on;
      break;
    case GL_DEPTH_TEST:
      flushDraws();
      device::setDepthTest(on);
      break;
    default:
      // Lights other than light 0 may be switched off; nothing else is known.
      if (!on && cap > GL_LIGHT0 && cap <= GL_LIGHT7) break;
      unsupported(on ? "glEnable" : "glDisable", cap);
  }
}

}  // namespace

extern "C" {

void glEnable(GLenum cap) {
  setCapability(cap, true);
}

void glDisable(GLenum cap) {
  setCapability(cap, false);
}

}  // extern "C"

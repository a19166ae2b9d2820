// glEnable and glDisable. The depth test is WebGL's own, so the draws
// gathered before a change go to WebGL first.

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

// Capabilities GL starts with off that the stand-in cannot turn on: turning
// one off again is GL's own no-op.
bool offAndUnsupported(GLenum cap) {
  switch (cap) {
    case GL_ALPHA_TEST:
    case GL_AUTO_NORMAL:
    case GL_BLEND:
    case GL_COLOR_LOGIC_OP:
    case GL_COLOR_MATERIAL:
    case GL_CULL_FACE:
    case GL_FOG:
    case GL_LINE_SMOOTH:
    case GL_LINE_STIPPLE:
    case GL_POINT_SMOOTH:
    case GL_POLYGON_OFFSET_FILL:
    case GL_POLYGON_SMOOTH:
    case GL_POLYGON_STIPPLE:
    case GL_SCISSOR_TEST:
    case GL_STENCIL_TEST:
    case GL_TEXTURE_1D:
    case GL_TEXTURE_GEN_Q:
    case GL_TEXTURE_GEN_R:
      return true;
    default:
      return (cap > GL_LIGHT0 && cap <= GL_LIGHT7) ||
             (cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5);
  }
}

void setCapability(GLenum cap, bool on) {
  stateChanged();
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
      if (!on && offAndUnsupported(cap)) break;
      unsupported(on ? "glEnable" : "glDisable", cap);
  }
}

}  // namespace

extern "C" {

void glEnable(GLenum cap) {
  if (changesStateNow("glEnable")) setCapability(cap, true);
}

void glDisable(GLenum cap) {
  if (changesStateNow("glDisable")) setCapability(cap, false);
}

}  // extern "C"

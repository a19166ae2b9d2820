// glEnable, glDisable and glIsEnabled of every capability of GL 1.1, and
// of the client's arrays. What the stand-in cannot draw is refused when a
// draw would use it, not when it is turned on.

#include "gl/checks.h"
#include "gl/lists.h"
#include "gl/state.h"

namespace standin {
void colourMaterialTurned(bool on);
}

using namespace standin;

namespace {

// The switch GL keeps for a capability; null for one GL does not know.
bool* capability(GLenum cap) {
  if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + lightCount)
    return &gl.lighting.lightOn[cap - GL_LIGHT0];
  if (cap >= GL_CLIP_PLANE0 && cap < GL_CLIP_PLANE0 + clipPlaneCount) {
    return &gl.transform.clipOn[cap - GL_CLIP_PLANE0];
  }
  if (cap >= GL_TEXTURE_GEN_S && cap <= GL_TEXTURE_GEN_Q) {
    return &gl.texture.gen[cap - GL_TEXTURE_GEN_S].enabled;
  }
  // The evaluators' maps: GL keeps them, the stand-in draws none.
  static bool maps[18] = {};
  if (cap >= GL_MAP1_COLOR_4 && cap <= GL_MAP1_VERTEX_4) return &maps[cap - GL_MAP1_COLOR_4];
  if (cap >= GL_MAP2_COLOR_4 && cap <= GL_MAP2_VERTEX_4) return &maps[9 + cap - GL_MAP2_COLOR_4];
  // Multisampling does nothing in a window without samples.
  static bool multisample = true;
  switch (cap) {
    case GL_ALPHA_TEST:
      return &gl.colourBuffer.alphaTest;
    case GL_AUTO_NORMAL:
      return &gl.eval.autoNormal;
    case GL_BLEND:
      return &gl.colourBuffer.blend;
    case GL_COLOR_LOGIC_OP:
      return &gl.colourBuffer.logicOp;
    case GL_INDEX_LOGIC_OP:
      return &gl.colourBuffer.indexLogicOp;
    case GL_COLOR_MATERIAL:
      return &gl.lighting.colourMaterial;
    case GL_CULL_FACE:
      return &gl.polygon.cull;
    case GL_DEPTH_TEST:
      return &gl.depth.test;
    case GL_DITHER:
      return &gl.colourBuffer.dither;
    case GL_FOG:
      return &gl.fog.enabled;
    case GL_LIGHTING:
      return &gl.lighting.lighting;
    case GL_LINE_SMOOTH:
      return &gl.line.smooth;
    case GL_LINE_STIPPLE:
      return &gl.line.stipple;
    case GL_NORMALIZE:
      return &gl.transform.normalize;
    case GL_RESCALE_NORMAL:
      return &gl.transform.rescaleNormal;
    case GL_POINT_SMOOTH:
      return &gl.point.smooth;
    case GL_POLYGON_OFFSET_FILL:
      return &gl.polygon.offsetFill;
    case GL_POLYGON_OFFSET_LINE:
      return &gl.polygon.offsetLine;
    case GL_POLYGON_OFFSET_POINT:
      return &gl.polygon.offsetPoint;
    case GL_POLYGON_SMOOTH:
      return &gl.polygon.smooth;
    case GL_POLYGON_STIPPLE:
      return &gl.polygon.stipple;
    case GL_SCISSOR_TEST:
      return &gl.scissor.test;
    case GL_STENCIL_TEST:
      return &gl.stencil.test;
    case GL_TEXTURE_1D:
      return &gl.texture.enabled1D;
    case GL_TEXTURE_2D:
      return &gl.texture.enabled2D;
    case GL_MULTISAMPLE:
      return &multisample;
    default:
      return nullptr;
  }
}

void setCapability(GLenum cap, bool on) {
  if (!outsideBeginEnd()) return;
  bool* flag = capability(cap);
  if (!knownEnum(flag != nullptr)) return;
  if (cap == GL_COLOR_MATERIAL) return colourMaterialTurned(on), stateChanged();
  *flag = on;
  stateChanged();
}

ClientArray* clientArray(GLenum array) {
  switch (array) {
    case GL_VERTEX_ARRAY:
      return &gl.client.vertex;
    case GL_NORMAL_ARRAY:
      return &gl.client.normal;
    case GL_COLOR_ARRAY:
      return &gl.client.colour;
    case GL_INDEX_ARRAY:
      return &gl.client.index;
    case GL_TEXTURE_COORD_ARRAY:
      return &gl.client.texCoord;
    case GL_EDGE_FLAG_ARRAY:
      return &gl.client.edgeFlag;
    default:
      return nullptr;
  }
}

void setClientArray(GLenum array, bool on) {
  ClientArray* a = clientArray(array);
  if (knownEnum(a != nullptr)) a->enabled = on;
}

}  // namespace

namespace standin {

bool clientArrayEnabled(GLenum array, bool* known) {
  const ClientArray* a = clientArray(array);
  *known = a != nullptr;
  return a != nullptr && a->enabled;
}

}  // namespace standin

extern "C" {

void glEnable(GLenum cap) {
  perform([cap] { setCapability(cap, true); });
}

void glDisable(GLenum cap) {
  perform([cap] { setCapability(cap, false); });
}

GLboolean glIsEnabled(GLenum cap) {
  if (!outsideBeginEnd()) return GL_FALSE;
  if (const bool* flag = capability(cap)) return *flag ? GL_TRUE : GL_FALSE;
  if (const ClientArray* a = clientArray(cap)) return a->enabled ? GL_TRUE : GL_FALSE;
  knownEnum(false);
  return GL_FALSE;
}

void glEnableClientState(GLenum array) {
  setClientArray(array, true);
}

void glDisableClientState(GLenum array) {
  setClientArray(array, false);
}

}  // extern "C"

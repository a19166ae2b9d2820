// What happens to a fragment after it is coloured: fog, the alpha,
// stencil and depth tests (the depth function is framebuffer.cpp's),
// blending, the scissor, the logic op; and the hints, which the stand-in
// takes as the desktop's renderer does, by doing the same whatever they
// say.

#include <algorithm>

#include "gl/checks.h"
#include "gl/current.h"
#include "gl/lists.h"
#include "gl/state.h"

using namespace standin;

namespace {

bool knownBlendFactor(GLenum factor, bool source) {
  switch (factor) {
    case GL_ZERO:
    case GL_ONE:
    case GL_SRC_ALPHA:
    case GL_ONE_MINUS_SRC_ALPHA:
    case GL_DST_ALPHA:
    case GL_ONE_MINUS_DST_ALPHA:
      return true;
    case GL_DST_COLOR:
    case GL_ONE_MINUS_DST_COLOR:
    case GL_SRC_ALPHA_SATURATE:
      return source;
    case GL_SRC_COLOR:
    case GL_ONE_MINUS_SRC_COLOR:
      return !source;
    default:
      return false;
  }
}

bool knownFunction(GLenum func) {
  return func >= GL_NEVER && func <= GL_ALWAYS;
}

bool knownStencilOp(GLenum op) {
  return op == GL_KEEP || op == GL_ZERO || op == GL_REPLACE || op == GL_INCR || op == GL_DECR ||
         op == GL_INVERT;
}

void setFog(GLenum pname, const Vec4& p) {
  if (!outsideBeginEnd()) return;
  FogGroup& f = gl.fog;
  switch (pname) {
    case GL_FOG_MODE:
      if (!knownEnum(GLenum(p[0]), {GL_LINEAR, GL_EXP, GL_EXP2})) return;
      f.mode = GLenum(p[0]);
      break;
    case GL_FOG_DENSITY:
      if (!validValue(p[0] >= 0.0f)) return;
      f.density = p[0];
      break;
    case GL_FOG_START:
      f.start = p[0];
      break;
    case GL_FOG_END:
      f.end = p[0];
      break;
    case GL_FOG_INDEX:
      f.index = p[0];
      break;
    case GL_FOG_COLOR:
      for (int i = 0; i < 4; ++i) f.colour[i] = std::clamp(p[i], 0.0f, 1.0f);
      break;
    default:
      knownEnum(false);
      return;
  }
  stateChanged();
}

int fogValues(GLenum pname) {
  return pname == GL_FOG_COLOR ? 4 : 1;
}

}  // namespace

namespace standin {

bool fragmentsRefused() {
  const ColourBufferGroup& c = gl.colourBuffer;
  if (!c.logicOp || c.logicOpMode == GL_COPY) return false;
  refuse("glLogicOp", c.logicOpMode);
  return true;
}

}  // namespace standin

extern "C" {

void glFogfv(GLenum pname, const GLfloat* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < fogValues(pname); ++i) v[i] = params[i];
  perform([=] { setFog(pname, v); });
}

void glFogiv(GLenum pname, const GLint* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < fogValues(pname); ++i) {
    v[i] = pname == GL_FOG_COLOR ? fromInt(params[i]) : float(params[i]);
  }
  perform([=] { setFog(pname, v); });
}

// Given so, the fog's colour takes this value and zeros, as the desktop's
// renderer takes it.
void glFogf(GLenum pname, GLfloat param) {
  perform([=] { setFog(pname, {param, 0, 0, 0}); });
}

void glFogi(GLenum pname, GLint param) {
  glFogf(pname, float(param));
}

void glAlphaFunc(GLenum func, GLclampf ref) {
  perform([=] {
    if (!outsideBeginEnd() || !knownEnum(knownFunction(func))) return;
    gl.colourBuffer.alphaFunc = func;
    gl.colourBuffer.alphaRef = std::clamp(ref, 0.0f, 1.0f);
    stateChanged();
  });
}

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    if (!knownEnum(knownBlendFactor(sfactor, true) && knownBlendFactor(dfactor, false))) return;
    gl.colourBuffer.blendSrc = sfactor;
    gl.colourBuffer.blendDst = dfactor;
    stateChanged();
  });
}

void glLogicOp(GLenum opcode) {
  perform([opcode] {
    if (!outsideBeginEnd() || !knownEnum(opcode >= GL_CLEAR && opcode <= GL_SET)) return;
    gl.colourBuffer.logicOpMode = opcode;
    stateChanged();
  });
}

void glStencilFunc(GLenum func, GLint ref, GLuint mask) {
  perform([=] {
    if (!outsideBeginEnd() || !knownEnum(knownFunction(func))) return;
    gl.stencil.func = func;
    gl.stencil.ref = ref;
    gl.stencil.valueMask = mask;
    stateChanged();
  });
}

void glStencilOp(GLenum fail, GLenum zfail, GLenum zpass) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    if (!knownEnum(knownStencilOp(fail) && knownStencilOp(zfail) && knownStencilOp(zpass))) return;
    gl.stencil.fail = fail;
    gl.stencil.depthFail = zfail;
    gl.stencil.depthPass = zpass;
    stateChanged();
  });
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
  perform([=] {
    if (!outsideBeginEnd() || !validValue(width >= 0 && height >= 0)) return;
    gl.scissor.box[0] = x;
    gl.scissor.box[1] = y;
    gl.scissor.box[2] = width;
    gl.scissor.box[3] = height;
    stateChanged();
  });
}

void glHint(GLenum target, GLenum mode) {
  perform([=] {
    if (!outsideBeginEnd() || !knownEnum(mode, {GL_FASTEST, GL_NICEST, GL_DONT_CARE})) return;
    HintGroup& h = gl.hint;
    switch (target) {
      case GL_PERSPECTIVE_CORRECTION_HINT:
        h.perspective = mode;
        break;
      case GL_POINT_SMOOTH_HINT:
        h.pointSmooth = mode;
        break;
      case GL_LINE_SMOOTH_HINT:
        h.lineSmooth = mode;
        break;
      case GL_POLYGON_SMOOTH_HINT:
        h.polygonSmooth = mode;
        break;
      case GL_FOG_HINT:
        h.fog = mode;
        break;
      default:
        knownEnum(false);
    }
  });
}

}  // extern "C"

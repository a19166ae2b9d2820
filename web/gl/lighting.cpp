// Lights 0 to 7, the light model, the materials of both faces, colour
// material and the shade model. A light's position and spot direction are
// taken into eye coordinates by the modelview matrix as it is when they
// are set.

#include "gl/checks.h"
#include "gl/current.h"
#include "gl/lists.h"
#include "gl/state.h"
#include "gl/vertices.h"

using namespace standin;

namespace {

Vec4 four(const GLfloat* p) {
  return {p[0], p[1], p[2], p[3]};
}

bool isColour(GLenum pname) {
  return pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR ||
         pname == GL_EMISSION || pname == GL_AMBIENT_AND_DIFFUSE;
}

// How many values a light's parameter has; 0 for a name GL does not know.
int lightValues(GLenum pname) {
  switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
      return 4;
    case GL_SPOT_DIRECTION:
      return 3;
    case GL_SPOT_EXPONENT:
    case GL_SPOT_CUTOFF:
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
      return 1;
    default:
      return 0;
  }
}

bool lightValueInRange(GLenum pname, float value) {
  switch (pname) {
    case GL_SPOT_EXPONENT:
      return value >= 0.0f && value <= 128.0f;
    case GL_SPOT_CUTOFF:
      return (value >= 0.0f && value <= 90.0f) || value == 180.0f;
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION:
      return value >= 0.0f;
    default:
      return true;
  }
}

void setLight(GLenum light, GLenum pname, const Vec4& p) {
  if (!outsideBeginEnd()) return;
  if (!knownEnum(light >= GL_LIGHT0 && light < GL_LIGHT0 + lightCount)) return;
  if (!knownEnum(lightValues(pname) != 0) || !validValue(lightValueInRange(pname, p[0]))) return;
  Light& l = gl.lighting.lights[light - GL_LIGHT0];
  const Mat4& modelview = gl.modelview.back();
  switch (pname) {
    case GL_AMBIENT:
      l.ambient = p;
      break;
    case GL_DIFFUSE:
      l.diffuse = p;
      break;
    case GL_SPECULAR:
      l.specular = p;
      break;
    case GL_POSITION:
      l.position = matrices::transform(modelview, p);
      break;
    case GL_SPOT_DIRECTION: {
      const Vec4 d = matrices::transform(modelview, {p[0], p[1], p[2], 0.0f});
      l.spotDirection = {d[0], d[1], d[2]};
      break;
    }
    case GL_SPOT_EXPONENT:
      l.spotExponent = p[0];
      break;
    case GL_SPOT_CUTOFF:
      l.spotCutoff = p[0];
      break;
    case GL_CONSTANT_ATTENUATION:
      l.constantAttenuation = p[0];
      break;
    case GL_LINEAR_ATTENUATION:
      l.linearAttenuation = p[0];
      break;
    default:
      l.quadraticAttenuation = p[0];
  }
  stateChanged();
}

// The light's values as given, the colours of the integer forms mapped to
// [-1, 1] as GL maps them.
void lightv(GLenum light, GLenum pname, const Vec4& values) {
  perform([=] { setLight(light, pname, values); });
}

Vec4 fromInts(GLenum pname, const GLint* params, int count, bool colour) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < count; ++i)
    v[i] = colour && isColour(pname) ? fromInt(params[i]) : float(params[i]);
  return v;
}

void setLightModel(GLenum pname, const Vec4& p) {
  if (!outsideBeginEnd()) return;
  LightingGroup& l = gl.lighting;
  switch (pname) {
    case GL_LIGHT_MODEL_AMBIENT:
      l.modelAmbient = p;
      break;
    case GL_LIGHT_MODEL_LOCAL_VIEWER:
      l.localViewer = p[0] != 0.0f;
      break;
    case GL_LIGHT_MODEL_TWO_SIDE:
      l.twoSide = p[0] != 0.0f;
      break;
    case GL_LIGHT_MODEL_COLOR_CONTROL:
      if (!knownEnum(GLenum(p[0]), {GL_SINGLE_COLOR, GL_SEPARATE_SPECULAR_COLOR})) return;
      if (GLenum(p[0]) == GL_SEPARATE_SPECULAR_COLOR) {
        return refuse("glLightModel(GL_LIGHT_MODEL_COLOR_CONTROL)", "GL_SEPARATE_SPECULAR_COLOR");
      }
      return;
    default:
      knownEnum(false);
      return;
  }
  stateChanged();
}

int lightModelValues(GLenum pname) {
  return pname == GL_LIGHT_MODEL_AMBIENT ? 4 : 1;
}

bool validMaterial(GLenum face, GLenum pname, const float* p) {
  if (!knownEnum(face, {GL_FRONT, GL_BACK, GL_FRONT_AND_BACK})) return false;
  if (!knownEnum(isColour(pname) || pname == GL_SHININESS || pname == GL_COLOR_INDEXES))
    return false;
  return validValue(pname != GL_SHININESS || (p[0] >= 0.0f && p[0] <= 128.0f));
}

// A glMaterial: between glBegin and glEnd it belongs to the vertices after
// it; elsewhere it changes the material now, or in the list being made.
void material(GLenum face, GLenum pname, const Vec4& p) {
  if (lists::compilingPair() || gl.inBeginEnd) {
    if (validMaterial(face, pname, p.data())) materialBetweenBeginAndEnd(face, pname, p.data());
    return;
  }
  perform([=] {
    if (!outsideBeginEnd() || !validMaterial(face, pname, p.data())) return;
    applyMaterial(gl.lighting.material, {0, face, pname, {p[0], p[1], p[2], p[3]}});
  });
}

int materialValues(GLenum pname) {
  return pname == GL_SHININESS ? 1 : pname == GL_COLOR_INDEXES ? 3 : 4;
}

// What colour material sets from the current colour.
void followColour() {
  const LightingGroup& l = gl.lighting;
  if (!l.colourMaterial) return;
  const Vec4& c = gl.current.colour;
  applyMaterial(gl.lighting.material,
                {0, l.colourMaterialFace, l.colourMaterialMode, {c[0], c[1], c[2], c[3]}});
}

}  // namespace

namespace standin {

void applyMaterial(Material (&m)[2], const MaterialChange& change) {
  for (int face = 0; face < 2; ++face) {
    if (change.face == (face == 0 ? GL_BACK : GL_FRONT)) continue;
    Material& to = m[face];
    const Vec4 value = four(change.values);
    switch (change.pname) {
      case GL_AMBIENT:
        to.ambient = value;
        break;
      case GL_DIFFUSE:
        to.diffuse = value;
        break;
      case GL_AMBIENT_AND_DIFFUSE:
        to.ambient = to.diffuse = value;
        break;
      case GL_SPECULAR:
        to.specular = value;
        break;
      case GL_EMISSION:
        to.emission = value;
        break;
      case GL_SHININESS:
        to.shininess = value[0];
        break;
      case GL_COLOR_INDEXES:
        for (int i = 0; i < 3; ++i) to.colourIndexes[i] = value[i];
        break;
    }
  }
}

void currentColourIs(const Vec4& colour) {
  gl.current.colour = colour;
  followColour();
}

void colourMaterialTurned(bool on) {
  gl.lighting.colourMaterial = on;
  followColour();
}

}  // namespace standin

extern "C" {

void glShadeModel(GLenum mode) {
  perform([mode] {
    if (!outsideBeginEnd() || !knownEnum(mode, {GL_SMOOTH, GL_FLAT})) return;
    gl.lighting.shadeModel = mode;
    stateChanged();
  });
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < lightValues(pname); ++i) v[i] = params[i];
  lightv(light, pname, v);
}

void glLightiv(GLenum light, GLenum pname, const GLint* params) {
  lightv(light, pname, fromInts(pname, params, lightValues(pname), true));
}

// Given so, a parameter of several values takes this one and zeros, as the
// desktop's renderer takes it.
void glLightf(GLenum light, GLenum pname, GLfloat param) {
  perform([=] { setLight(light, pname, {param, 0, 0, 0}); });
}

void glLighti(GLenum light, GLenum pname, GLint param) {
  glLightf(light, pname, float(param));
}

void glLightModelfv(GLenum pname, const GLfloat* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < lightModelValues(pname); ++i) v[i] = params[i];
  perform([=] { setLightModel(pname, v); });
}

void glLightModeliv(GLenum pname, const GLint* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < lightModelValues(pname); ++i) {
    v[i] = pname == GL_LIGHT_MODEL_AMBIENT ? fromInt(params[i]) : float(params[i]);
  }
  perform([=] { setLightModel(pname, v); });
}

void glLightModelf(GLenum pname, GLfloat param) {
  perform([=] { setLightModel(pname, {param, 0, 0, 0}); });
}

void glLightModeli(GLenum pname, GLint param) {
  glLightModelf(pname, float(param));
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < materialValues(pname); ++i) v[i] = params[i];
  material(face, pname, v);
}

void glMaterialiv(GLenum face, GLenum pname, const GLint* params) {
  Vec4 v{0, 0, 0, 0};
  for (int i = 0; i < materialValues(pname); ++i) {
    v[i] = isColour(pname) ? fromInt(params[i]) : float(params[i]);
  }
  material(face, pname, v);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  material(face, pname, {param, 0, 0, 0});
}

void glMateriali(GLenum face, GLenum pname, GLint param) {
  glMaterialf(face, pname, float(param));
}

void glColorMaterial(GLenum face, GLenum mode) {
  perform([=] {
    if (!outsideBeginEnd() || !knownEnum(face, {GL_FRONT, GL_BACK, GL_FRONT_AND_BACK})) return;
    if (!knownEnum(mode,
                   {GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_AMBIENT_AND_DIFFUSE}))
      return;
    gl.lighting.colourMaterialFace = face;
    gl.lighting.colourMaterialMode = mode;
    followColour();
    stateChanged();
  });
}

}  // extern "C"

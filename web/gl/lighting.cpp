// Light 0 and the material. The light's position and spot direction are
// taken into eye coordinates by the modelview matrix as it is when they
// are set. Lighting is one-sided: only the front material shows.

#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

Vec4 four(const GLfloat* p) {
  return {p[0], p[1], p[2], p[3]};
}

// The values GL takes for a light's single-valued parameters.
bool inRange(GLenum pname, float value) {
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

void setLight(GLenum pname, const GLfloat* p) {
  Light& l = gl.light;
  const Mat4& modelview = gl.modelview.back();
  if (!inRange(pname, p[0])) return setError(GL_INVALID_VALUE);
  stateChanged();
  switch (pname) {
    case GL_AMBIENT:
      l.ambient = four(p);
      break;
    case GL_DIFFUSE:
      l.diffuse = four(p);
      break;
    case GL_SPECULAR:
      l.specular = four(p);
      break;
    case GL_POSITION:
      l.position = matrices::transform(modelview, four(p));
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
    case GL_QUADRATIC_ATTENUATION:
      l.quadraticAttenuation = p[0];
      break;
    default:
      unsupported("glLight", pname);
  }
}

void setMaterial(GLenum face, GLenum pname, const GLfloat* p) {
  // A material changed between glBegin and glEnd would change with the
  // vertices; the stand-in takes one material a primitive.
  if (gl.inBeginEnd) return unsupported("glMaterial", pname, GL_INVALID_OPERATION);
  if (!changesStateNow("glMaterial")) return;
  if (face != GL_FRONT_AND_BACK && face != GL_FRONT && face != GL_BACK) {
    return setError(GL_INVALID_ENUM);
  }
  if (pname == GL_SHININESS && (p[0] < 0.0f || p[0] > 128.0f)) return setError(GL_INVALID_VALUE);
  Material& m = gl.material;
  switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_AMBIENT_AND_DIFFUSE:
    case GL_SPECULAR:
    case GL_EMISSION:
    case GL_SHININESS:
      break;
    default:
      return unsupported("glMaterial", pname);
  }
  // The back material shows only with two-sided lighting, which is never on.
  if (face == GL_BACK) return;
  stateChanged();
  if (pname == GL_AMBIENT || pname == GL_AMBIENT_AND_DIFFUSE) m.ambient = four(p);
  if (pname == GL_DIFFUSE || pname == GL_AMBIENT_AND_DIFFUSE) m.diffuse = four(p);
  if (pname == GL_SPECULAR) m.specular = four(p);
  if (pname == GL_EMISSION) m.emission = four(p);
  if (pname == GL_SHININESS) m.shininess = p[0];
}

}  // namespace

extern "C" {

void glShadeModel(GLenum mode) {
  if (!changesStateNow("glShadeModel")) return;
  if (mode != GL_SMOOTH) unsupported("glShadeModel", mode);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (!changesStateNow("glLightfv")) return;
  if (light != GL_LIGHT0) return unsupported("glLight", light);
  setLight(pname, params);
}

void glLightf(GLenum light, GLenum pname, GLfloat param) {
  // Only the single-valued parameters may be given so.
  if (pname != GL_SPOT_EXPONENT && pname != GL_SPOT_CUTOFF && pname != GL_CONSTANT_ATTENUATION &&
      pname != GL_LINEAR_ATTENUATION && pname != GL_QUADRATIC_ATTENUATION) {
    return setError(GL_INVALID_ENUM);
  }
  glLightfv(light, pname, &param);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  setMaterial(face, pname, params);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  if (pname != GL_SHININESS) return setError(GL_INVALID_ENUM);
  setMaterial(face, pname, &param);
}

}  // extern "C"

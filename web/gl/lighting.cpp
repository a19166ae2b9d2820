// Light 0, the front-and-back material and the current colour. The light's
// position and spot direction are taken into eye coordinates by the
// modelview matrix as it is when they are set.

#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

Vec4 four(const GLfloat* p) {
  return {p[0], p[1], p[2], p[3]};
}

void setLight(GLenum pname, const GLfloat* p) {
  Light& l = gl.light;
  const Mat4& modelview = gl.modelview.back();
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
  // With one-sided lighting only the front material shows.
  if (face != GL_FRONT_AND_BACK && face != GL_FRONT) return unsupported("glMaterial", face);
  Material& m = gl.material;
  switch (pname) {
    case GL_AMBIENT:
      m.ambient = four(p);
      break;
    case GL_DIFFUSE:
      m.diffuse = four(p);
      break;
    case GL_AMBIENT_AND_DIFFUSE:
      m.ambient = m.diffuse = four(p);
      break;
    case GL_SPECULAR:
      m.specular = four(p);
      break;
    case GL_EMISSION:
      m.emission = four(p);
      break;
    case GL_SHININESS:
      m.shininess = p[0];
      break;
    default:
      unsupported("glMaterial", pname);
  }
}

}  // namespace

extern "C" {

void glShadeModel(GLenum mode) {
  if (mode != GL_SMOOTH) unsupported("glShadeModel", mode);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (light != GL_LIGHT0) return unsupported("glLight", light);
  setLight(pname, params);
}

void glLightf(GLenum light, GLenum pname, GLfloat param) {
  glLightfv(light, pname, &param);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
  setMaterial(face, pname, params);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
  setMaterial(face, pname, &param);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  gl.colour = {red, green, blue, alpha};
}

void glColor4fv(const GLfloat* v) {
  glColor4f(v[0], v[1], v[2], v[3]);
}

}  // extern "C"

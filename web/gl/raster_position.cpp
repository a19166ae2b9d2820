// The raster position: a point taken through the modelview and projection
// as a vertex is, valid only inside the view volume and the clip planes
// that are on, lit and given texture coordinates as the desktop's renderer
// does for it: in eye coordinates, but with the point's own coordinates
// where the light's place or the viewer's is needed, and the normal
// turned but not made unit length.

#include <cmath>

#include "gl/checks.h"
#include "gl/lists.h"
#include "gl/state.h"

using namespace standin;
using matrices::transform;

namespace {

float dot3(const float* a, const float* b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec3 unit(Vec3 v) {
  const float length = std::sqrt(dot3(v.data(), v.data()));
  if (length > 1e-6f) {
    for (float& c : v) c /= length;
  }
  return v;
}

bool inside(const Vec4& clip, const Vec4& eye) {
  for (int i = 0; i < 3; ++i) {
    if (clip[i] > clip[3] || clip[i] < -clip[3]) return false;
  }
  const TransformGroup& t = gl.transform;
  for (int p = 0; p < clipPlaneCount; ++p) {
    const Vec4& plane = t.clipPlanes[p];
    const float d = eye[0] * plane[0] + eye[1] * plane[1] + eye[2] * plane[2] + eye[3] * plane[3];
    if (t.clipOn[p] && d < 0) return false;
  }
  return true;
}

// The share of a spot's light in the direction `toLight` takes from it:
// none outside its cone.
float spotShare(const Light& light, const Vec3& toLight) {
  if (light.spotCutoff == 180) return 1;
  const Vec3 direction = unit(light.spotDirection);
  const float along = -dot3(toLight.data(), direction.data());
  const float cosCutoff = std::cos(light.spotCutoff * float(M_PI) / 180.0f);
  return along < cosCutoff ? 0 : std::pow(along, light.spotExponent);
}

// How much of a light reaches the point: its fall with distance and its
// spot; `toLight` is left pointing at the light, of unit length.
float reach(const Light& light, const Vec4& point, Vec3& toLight) {
  if (light.position[3] == 0) {
    toLight = unit({light.position[0], light.position[1], light.position[2]});
    return spotShare(light, toLight);
  }
  toLight = {light.position[0] - point[0], light.position[1] - point[1],
             light.position[2] - point[2]};
  const float d = std::sqrt(dot3(toLight.data(), toLight.data()));
  if (d > 1e-6f) {
    for (float& c : toLight) c /= d;
  }
  const float spot = spotShare(light, toLight);
  if (spot == 0) return 0;
  const float attenuation = 1.0f / (light.constantAttenuation +
                                    d * (light.linearAttenuation + d * light.quadraticAttenuation));
  return attenuation * spot;
}

// The front face's colour at the point, each light added as the
// renderer adds it.
Vec4 litColour(const Vec4& point, const Vec3& normal) {
  const LightingGroup& l = gl.lighting;
  const Material& m = l.material[0];
  Vec4 colour{0, 0, 0, std::clamp(m.diffuse[3], 0.0f, 1.0f)};
  for (int c = 0; c < 3; ++c) colour[c] = m.emission[c] + l.modelAmbient[c] * m.ambient[c];
  for (int i = 0; i < lightCount; ++i) {
    if (!l.lightOn[i]) continue;
    const Light& light = l.lights[i];
    Vec3 toLight;
    const float attenuation = reach(light, point, toLight);
    if (attenuation < 1e-3f) continue;
    const float facing = dot3(normal.data(), toLight.data());
    float contribution[3];
    for (int c = 0; c < 3; ++c) contribution[c] = light.ambient[c] * m.ambient[c];
    if (facing >= 0) {
      Vec3 half = toLight;
      if (l.localViewer) {
        const Vec3 from = unit({point[0], point[1], point[2]});
        for (int c = 0; c < 3; ++c) half[c] -= from[c];
      } else {
        half[2] += 1;
      }
      half = unit(half);
      const float along = dot3(normal.data(), half.data());
      const float shine = along > 0 ? std::pow(along, m.shininess) : 0;
      for (int c = 0; c < 3; ++c) {
        contribution[c] += facing * light.diffuse[c] * m.diffuse[c];
        if (shine > 1e-10f) contribution[c] += shine * light.specular[c] * m.specular[c];
      }
    }
    for (int c = 0; c < 3; ++c) colour[c] += attenuation * contribution[c];
  }
  for (float& c : colour) c = std::clamp(c, 0.0f, 1.0f);
  return colour;
}

// The texture coordinates: those generated where generation is on, then
// through the texture matrix.
Vec4 texCoordAt(const Vec4& object, const Vec4& eye, const Vec3& normal) {
  Vec4 tc = gl.current.texCoord;
  const Vec3 u = unit({eye[0], eye[1], eye[2]});
  const float twoNu = 2 * dot3(normal.data(), u.data());
  const float r[3] = {u[0] - normal[0] * twoNu, u[1] - normal[1] * twoNu, u[2] - normal[2] * twoNu};
  const float m = r[0] * r[0] + r[1] * r[1] + (r[2] + 1) * (r[2] + 1);
  const float sphere = m > 0 ? 0.5f / std::sqrt(m) : 0;
  for (int i = 0; i < 4; ++i) {
    const TexGen& g = gl.texture.gen[i];
    if (!g.enabled) continue;
    if (g.mode == GL_OBJECT_LINEAR) {
      tc[i] = dot3(object.data(), g.objectPlane.data()) + object[3] * g.objectPlane[3];
    } else if (g.mode == GL_EYE_LINEAR) {
      tc[i] = dot3(eye.data(), g.eyePlane.data()) + eye[3] * g.eyePlane[3];
    } else if (i < 2) {
      tc[i] = r[i] * sphere + 0.5f;
    }
  }
  return transform(gl.textureMatrix.back(), tc);
}

void rasterPos(const Vec4& object) {
  if (!outsideBeginEnd()) return;
  const Vec4 eye = transform(gl.modelview.back(), object);
  const Vec4 clip = transform(gl.projection.back(), eye);
  RasterPosition& r = gl.current.raster;
  r.valid = inside(clip, eye);
  if (!r.valid) return;
  const ViewportGroup& v = gl.viewport;
  const float d = clip[3] == 0 ? 1.0f : 1.0f / clip[3];
  const float nearVal = float(v.nearVal), farVal = float(v.farVal);
  r.window = {clip[0] * d * float(v.width) / 2 + float(v.x) + float(v.width) / 2,
              clip[1] * d * float(v.height) / 2 + float(v.y) + float(v.height) / 2,
              clip[2] * d * (farVal - nearVal) / 2 + (farVal + nearVal) / 2, clip[3]};
  r.distance = std::sqrt(dot3(eye.data(), eye.data()));
  const std::array<float, 9> turn = matrices::normalMatrix(gl.modelview.back());
  const Vec3& n = gl.current.normal;
  Vec3 normal{};
  for (int row = 0; row < 3; ++row) {
    normal[row] = turn[row] * n[0] + turn[3 + row] * n[1] + turn[6 + row] * n[2];
  }
  r.colour = gl.lighting.lighting ? litColour(object, normal) : gl.current.colour;
  r.texCoord = texCoordAt(object, eye, normal);
}

void rasterPos4(double x, double y, double z, double w) {
  const Vec4 p{float(x), float(y), float(z), float(w)};
  perform([p] { rasterPos(p); });
}

}  // namespace

extern "C" {

// clang-format off
void glRasterPos2d(GLdouble x, GLdouble y) { rasterPos4(x, y, 0, 1); }
void glRasterPos2f(GLfloat x, GLfloat y) { rasterPos4(x, y, 0, 1); }
void glRasterPos2i(GLint x, GLint y) { rasterPos4(x, y, 0, 1); }
void glRasterPos2s(GLshort x, GLshort y) { rasterPos4(x, y, 0, 1); }
void glRasterPos3d(GLdouble x, GLdouble y, GLdouble z) { rasterPos4(x, y, z, 1); }
void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) { rasterPos4(x, y, z, 1); }
void glRasterPos3i(GLint x, GLint y, GLint z) { rasterPos4(x, y, z, 1); }
void glRasterPos3s(GLshort x, GLshort y, GLshort z) { rasterPos4(x, y, z, 1); }
void glRasterPos4d(GLdouble x, GLdouble y, GLdouble z, GLdouble w) { rasterPos4(x, y, z, w); }
void glRasterPos4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) { rasterPos4(x, y, z, w); }
void glRasterPos4i(GLint x, GLint y, GLint z, GLint w) { rasterPos4(x, y, z, w); }
void glRasterPos4s(GLshort x, GLshort y, GLshort z, GLshort w) { rasterPos4(x, y, z, w); }
void glRasterPos2dv(const GLdouble* v) { rasterPos4(v[0], v[1], 0, 1); }
void glRasterPos2fv(const GLfloat* v) { rasterPos4(v[0], v[1], 0, 1); }
void glRasterPos2iv(const GLint* v) { rasterPos4(v[0], v[1], 0, 1); }
void glRasterPos2sv(const GLshort* v) { rasterPos4(v[0], v[1], 0, 1); }
void glRasterPos3dv(const GLdouble* v) { rasterPos4(v[0], v[1], v[2], 1); }
void glRasterPos3fv(const GLfloat* v) { rasterPos4(v[0], v[1], v[2], 1); }
void glRasterPos3iv(const GLint* v) { rasterPos4(v[0], v[1], v[2], 1); }
void glRasterPos3sv(const GLshort* v) { rasterPos4(v[0], v[1], v[2], 1); }
void glRasterPos4dv(const GLdouble* v) { rasterPos4(v[0], v[1], v[2], v[3]); }
void glRasterPos4fv(const GLfloat* v) { rasterPos4(v[0], v[1], v[2], v[3]); }
void glRasterPos4iv(const GLint* v) { rasterPos4(v[0], v[1], v[2], v[3]); }
void glRasterPos4sv(const GLshort* v) { rasterPos4(v[0], v[1], v[2], v[3]); }
// clang-format on

}  // extern "C"

#include "gl/draw_state.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "gl/same_bytes.h"
#include "gl/state.h"
#include "gl/texturing.h"
#include "gl/unsupported.h"

namespace standin {

namespace {

// The light model's default scene ambient.
constexpr float sceneAmbient = 0.2f;

template <std::size_t n>
void put(float* to, const std::array<float, n>& from, std::size_t count = n) {
  std::memcpy(to, from.data(), sizeof(float) * count);
}

void product(float* to, const Vec4& a, const Vec4& b) {
  for (int i = 0; i < 3; ++i) to[i] = a[i] * b[i];
}

std::uint32_t featuresOf(const State& s, bool textured, bool oneTexel) {
  std::uint32_t on = 0;
  if (s.lighting) on |= lighting;
  if (s.lighting && s.light0) on |= lightZero;
  if (s.normalizing) on |= normalizing;
  if (s.light.position[3] != 0.0f) on |= positionalLight;
  if (s.light.spotCutoff != 180.0f) on |= spotLight;
  if (s.light.spotExponent != 0.0f) on |= spotExponent;
  if (s.material.shininess != 0.0f) on |= shininess;
  if (s.generateS) on |= generateS;
  if (s.generateT) on |= generateT;
  if (textured) on |= oneTexel ? constantTexel : texturing;
  return on;
}

void putLight(DrawState& d, const Light& l) {
  // A positional light's place is its position divided by its w.
  for (int i = 0; i < 3; ++i)
    d.light[i] = l.position[3] != 0.0f ? l.position[i] / l.position[3] : l.position[i];
  d.light[3] = static_cast<float>(std::cos(l.spotCutoff * 3.14159265358979323846 / 180.0));
  d.light[4] = l.constantAttenuation;
  d.light[5] = l.linearAttenuation;
  d.light[6] = l.quadraticAttenuation;
  put(d.light + 8, matrices::normalize(l.spotDirection));
  d.light[11] = l.spotExponent;
}

}  // namespace

bool sameDrawState(const DrawState& a, const DrawState& b) {
  constexpr std::size_t from = offsetof(DrawState, features);
  return sameBytes(reinterpret_cast<const char*>(&a) + from,
                   reinterpret_cast<const char*>(&b) + from, sizeof(DrawState) - from);
}

const DrawMaterial& drawMaterial() {
  static DrawMaterial m{};
  static std::uint64_t workedOutAt = ~0ull;
  if (gl.changes == workedOutAt) return m;
  workedOutAt = gl.changes;
  m = DrawMaterial{};
  if (!gl.lighting) return m;
  const Material& material = gl.material;
  const Light& light = gl.light;
  for (int i = 0; i < 3; ++i)
    m.values[i] = material.emission[i] + material.ambient[i] * sceneAmbient;
  m.values[3] = material.diffuse[3];
  product(m.values + 4, material.ambient, light.ambient);
  product(m.values + 8, material.diffuse, light.diffuse);
  product(m.values + 12, material.specular, light.specular);
  m.values[15] = material.shininess;
  return m;
}

const DrawState& drawState(const float* texCoord) {
  static DrawState d{};
  static std::uint64_t workedOutAt = ~0ull;
  static bool oneCoordinate = false;
  static float coordinate[2] = {0, 0};
  const bool one = texCoord != nullptr;
  if (gl.changes == workedOutAt && one == oneCoordinate &&
      (!one || (texCoord[0] == coordinate[0] && texCoord[1] == coordinate[1]))) {
    return d;
  }
  workedOutAt = gl.changes;
  oneCoordinate = one;
  if (one) coordinate[0] = texCoord[0], coordinate[1] = texCoord[1];
  const std::uint32_t serial = d.serial + 1;
  d = DrawState{};
  d.serial = serial;
  const Mat4& modelview = gl.modelview.back();
  put(d.transforms, matrices::multiply(gl.projection.back(), modelview).m);
  put(d.transforms + 16, modelview.m);
  put(d.normalMatrix, matrices::normalMatrix(modelview));
  putLight(d, gl.light);
  put(d.planes, gl.sPlane);
  put(d.planes + 4, gl.tPlane);
  const float viewport = gl.viewportHeight > 0 ? float(gl.viewportHeight) : 600.0f;
  d.lift = 2.0f / (256.0f * viewport);
  // A texture without an image, or one that wants mipmaps, is as if
  // texturing were off.
  const textures::TextureObject* texture = textures::completeTexture(gl.boundTexture);
  const bool textured = gl.texturing && texture != nullptr;
  // GL starts generating eye-linear coordinates, which the stand-in lacks.
  if (textured && ((gl.generateS && gl.generateModeS != GL_OBJECT_LINEAR) ||
                   (gl.generateT && gl.generateModeT != GL_OBJECT_LINEAR))) {
    unsupported("glTexGen", GL_EYE_LINEAR, GL_INVALID_OPERATION);
  }
  // A draw whose vertices all lie at one texel, such as a shape drawn
  // without texture coordinates, has it filtered here once rather than at
  // every fragment.
  const bool oneTexel = textured && texCoord && !gl.generateS && !gl.generateT;
  if (oneTexel) {
    put(d.texel, textures::filteredTexel(*texture, texCoord[0], texCoord[1]));
  } else if (textured) {
    d.texture = gl.boundTexture;
    d.textureShape[0] = float(texture->width);
    d.textureShape[1] = float(texture->height);
    d.textureShape[2] = textures::wrappedFirst(texture->width) ? 1.0f : 0.0f;
    d.textureShape[3] = textures::wrappedFirst(texture->height) ? 1.0f : 0.0f;
  }
  d.features = featuresOf(gl, textured, oneTexel);
  return d;
}

}  // namespace standin

#include "gl/draw_state.h"

#include <cmath>
#include <cstring>

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

void putLight(DrawState& d, const Light& l, const Material& m) {
  product(d.ambientProduct, m.ambient, l.ambient);
  product(d.diffuseProduct, m.diffuse, l.diffuse);
  product(d.specularProduct, m.specular, l.specular);
  // A positional light's place is its position divided by its w.
  for (int i = 0; i < 3; ++i)
    d.lightPlace[i] = l.position[3] != 0.0f ? l.position[i] / l.position[3] : l.position[i];
  d.attenuation[0] = l.constantAttenuation;
  d.attenuation[1] = l.linearAttenuation;
  d.attenuation[2] = l.quadraticAttenuation;
  put(d.spot, matrices::normalize(l.spotDirection));
  d.spot[3] = l.spotExponent;
  d.spotCosCutoff = static_cast<float>(std::cos(l.spotCutoff * 3.14159265358979323846 / 180.0));
  d.shininess = m.shininess;
}

}  // namespace

DrawState drawState(const float* texCoord) {
  DrawState d{};
  const Mat4& modelview = gl.modelview.back();
  put(d.modelviewProjection, matrices::multiply(gl.projection.back(), modelview).m);
  put(d.modelview, modelview.m);
  put(d.normalMatrix, matrices::normalMatrix(modelview));
  const Material& m = gl.material;
  for (int i = 0; i < 3; ++i) d.base[i] = m.emission[i] + m.ambient[i] * sceneAmbient;
  d.base[3] = m.diffuse[3];
  putLight(d, gl.light, m);
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
    d.textureSize[0] = float(texture->width);
    d.textureSize[1] = float(texture->height);
    d.wrapFirst[0] = textures::wrappedFirst(texture->width) ? 1.0f : 0.0f;
    d.wrapFirst[1] = textures::wrappedFirst(texture->height) ? 1.0f : 0.0f;
  }
  d.features = featuresOf(gl, textured, oneTexel);
  return d;
}

}  // namespace standin

#pragma once

// The fixed-function vertex stage of OpenGL 1.1 as plain arithmetic: the
// matrices, lighting, texture-coordinate generation and the split of
// quads into triangles. No GL context is needed; the stand-in for GL in
// the browser feeds WebGL with what these compute.

#include <array>
#include <cstdint>
#include <vector>

namespace pipeline {

using Vec3 = std::array<float, 3>;
using Vec4 = std::array<float, 4>;

// Column-major, as GL keeps its matrices.
struct Mat4 {
  std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Mat4 multiply(const Mat4& a, const Mat4& b);  // a × b
Mat4 translation(float x, float y, float z);
Mat4 rotation(float degrees, float x, float y, float z);
Mat4 scaling(float x, float y, float z);
Mat4 frustum(float left, float right, float bottom, float top, float nearVal, float farVal);
Vec4 transform(const Mat4& m, const Vec4& v);
// What turns normals: the cofactors of the upper 3 by 3, which is the
// inverse transpose up to a scale that normalising removes.
std::array<float, 9> normalMatrix(const Mat4& m);
Vec3 transformNormal(const std::array<float, 9>& n, const Vec3& v);
Vec3 normalize(const Vec3& v);

struct Material {
  Vec4 ambient{0.2f, 0.2f, 0.2f, 1.0f};
  Vec4 diffuse{0.8f, 0.8f, 0.8f, 1.0f};
  Vec4 specular{0.0f, 0.0f, 0.0f, 1.0f};
  Vec4 emission{0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;
};

// Light 0's defaults; the position and direction are in eye coordinates.
struct Light {
  Vec4 ambient{0.0f, 0.0f, 0.0f, 1.0f};
  Vec4 diffuse{1.0f, 1.0f, 1.0f, 1.0f};
  Vec4 specular{1.0f, 1.0f, 1.0f, 1.0f};
  Vec4 position{0.0f, 0.0f, 1.0f, 0.0f};
  Vec3 spotDirection{0.0f, 0.0f, -1.0f};
  float spotExponent = 0.0f;
  float spotCutoff = 180.0f;
  float constantAttenuation = 1.0f;
  float linearAttenuation = 0.0f;
  float quadraticAttenuation = 0.0f;
};

// The light model's defaults: a dim scene ambient, the viewer at infinity,
// one-sided lighting.
constexpr Vec4 sceneAmbient{0.2f, 0.2f, 0.2f, 1.0f};

// The colour of a vertex at eye position `eye` with unit eye normal
// `normal`, clamped to [0, 1], by the lighting equation of OpenGL 1.1.
Vec4 lightVertex(const Vec4& eye, const Vec3& normal, const Material& material, const Light* light);

// An object-linear texture coordinate: the plane's dot product with the
// object position.
float objectLinear(const Vec4& plane, const Vec4& object);

// The corners' order of the triangles a quad is drawn as: (0, 1, 2) and
// (0, 2, 3), the split the desktop's renderer makes.
constexpr std::array<int, 6> quadTriangles{0, 1, 2, 0, 2, 3};

// The quad strip's corners in the order that makes each quad v0 v1 v2 v3
// around its edge: the strip's pairs are its sides.
std::vector<std::uint32_t> quadsOfStrip(std::uint32_t count);

}  // namespace pipeline

#include "gl/pipeline.h"

#include <algorithm>
#include <cmath>

namespace pipeline {

namespace {

float& at(Mat4& m, int row, int col) {
  return m.m[col * 4 + row];
}

float dot(const Vec3& a, const Vec3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

float clamp01(float v) {
  return std::min(1.0f, std::max(0.0f, v));
}

}  // namespace

Mat4 multiply(const Mat4& a, const Mat4& b) {
  Mat4 p;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      p.m[j * 4 + i] = a.m[i] * b.m[j * 4] + a.m[4 + i] * b.m[j * 4 + 1] +
                       a.m[8 + i] * b.m[j * 4 + 2] + a.m[12 + i] * b.m[j * 4 + 3];
    }
  }
  return p;
}

Mat4 translation(float x, float y, float z) {
  Mat4 t;
  t.m[12] = x;
  t.m[13] = y;
  t.m[14] = z;
  return t;
}

Mat4 scaling(float x, float y, float z) {
  Mat4 s;
  s.m[0] = x;
  s.m[5] = y;
  s.m[10] = z;
  return s;
}

// Turns about one axis are written out exactly, as GL implementations do,
// so that a quarter turn leaves no rounding behind in the other axes.
Mat4 rotation(float degrees, float x, float y, float z) {
  const double radians = degrees * 3.14159265358979323846 / 180.0;
  const float s = static_cast<float>(std::sin(radians));
  const float c = static_cast<float>(std::cos(radians));
  Mat4 r;
  if (x == 0 && y == 0 && z != 0) {
    at(r, 0, 0) = at(r, 1, 1) = c;
    at(r, 0, 1) = z < 0 ? s : -s;
    at(r, 1, 0) = -at(r, 0, 1);
    return r;
  }
  if (x == 0 && z == 0 && y != 0) {
    at(r, 0, 0) = at(r, 2, 2) = c;
    at(r, 0, 2) = y < 0 ? -s : s;
    at(r, 2, 0) = -at(r, 0, 2);
    return r;
  }
  if (y == 0 && z == 0 && x != 0) {
    at(r, 1, 1) = at(r, 2, 2) = c;
    at(r, 1, 2) = x < 0 ? s : -s;
    at(r, 2, 1) = -at(r, 1, 2);
    return r;
  }
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length <= 1.0e-4f) return r;
  x /= length;
  y /= length;
  z /= length;
  const float oneC = 1.0f - c;
  at(r, 0, 0) = oneC * x * x + c;
  at(r, 0, 1) = oneC * x * y - z * s;
  at(r, 0, 2) = oneC * z * x + y * s;
  at(r, 1, 0) = oneC * x * y + z * s;
  at(r, 1, 1) = oneC * y * y + c;
  at(r, 1, 2) = oneC * y * z - x * s;
  at(r, 2, 0) = oneC * z * x - y * s;
  at(r, 2, 1) = oneC * y * z + x * s;
  at(r, 2, 2) = oneC * z * z + c;
  return r;
}

Mat4 frustum(float left, float right, float bottom, float top, float nearVal, float farVal) {
  Mat4 f;
  at(f, 0, 0) = 2.0f * nearVal / (right - left);
  at(f, 0, 2) = (right + left) / (right - left);
  at(f, 1, 1) = 2.0f * nearVal / (top - bottom);
  at(f, 1, 2) = (top + bottom) / (top - bottom);
  at(f, 2, 2) = -(farVal + nearVal) / (farVal - nearVal);
  at(f, 2, 3) = -(2.0f * farVal * nearVal) / (farVal - nearVal);
  at(f, 3, 2) = -1.0f;
  at(f, 3, 3) = 0.0f;
  return f;
}

Vec4 transform(const Mat4& m, const Vec4& v) {
  Vec4 r;
  for (int i = 0; i < 4; ++i) {
    r[i] = m.m[i] * v[0] + m.m[4 + i] * v[1] + m.m[8 + i] * v[2] + m.m[12 + i] * v[3];
  }
  return r;
}

std::array<float, 9> normalMatrix(const Mat4& m) {
  auto a = [&](int row, int col) { return m.m[col * 4 + row]; };
  std::array<float, 9> n;  // row-major cofactors
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (col + 1) % 3, c1 = (col + 2) % 3;
      n[row * 3 + col] = a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0);
    }
  }
  return n;
}

Vec3 transformNormal(const std::array<float, 9>& n, const Vec3& v) {
  return {n[0] * v[0] + n[1] * v[1] + n[2] * v[2], n[3] * v[0] + n[4] * v[1] + n[5] * v[2],
          n[6] * v[0] + n[7] * v[1] + n[8] * v[2]};
}

Vec3 normalize(const Vec3& v) {
  const float length = std::sqrt(dot(v, v));
  if (length == 0.0f) return v;
  return {v[0] / length, v[1] / length, v[2] / length};
}

Vec4 lightVertex(const Vec4& eye, const Vec3& normal, const Material& material,
                 const Light* light) {
  Vec4 colour;
  for (int i = 0; i < 3; ++i)
    colour[i] = material.emission[i] + material.ambient[i] * sceneAmbient[i];
  colour[3] = material.diffuse[3];
  if (light != nullptr) {
    // A positional light's place is its position divided by its w.
    const Vec4& p = light->position;
    const bool positional = p[3] != 0.0f;
    Vec3 toLight = positional
                       ? Vec3{p[0] / p[3] - eye[0], p[1] / p[3] - eye[1], p[2] / p[3] - eye[2]}
                       : Vec3{p[0], p[1], p[2]};
    const float distance = std::sqrt(dot(toLight, toLight));
    toLight = normalize(toLight);
    float factor = 1.0f;
    if (positional) {
      factor = 1.0f / (light->constantAttenuation + light->linearAttenuation * distance +
                       light->quadraticAttenuation * distance * distance);
    }
    if (light->spotCutoff != 180.0f) {
      const Vec3 fromLight{-toLight[0], -toLight[1], -toLight[2]};
      const float along = dot(fromLight, normalize(light->spotDirection));
      const float cosCutoff =
          static_cast<float>(std::cos(light->spotCutoff * 3.14159265358979323846 / 180.0));
      // x to the power 0 is 1, also for x = 0.
      factor *= along < cosCutoff ? 0.0f
                : light->spotExponent == 0.0f
                    ? 1.0f
                    : std::pow(std::max(along, 0.0f), light->spotExponent);
    }
    const float diffuse = std::max(dot(normal, toLight), 0.0f);
    // The highlight only where the diffuse light reaches.
    float specular = 0.0f;
    if (diffuse != 0.0f) {
      const Vec3 halfway = normalize({toLight[0], toLight[1], toLight[2] + 1.0f});
      const float facing = std::max(dot(normal, halfway), 0.0f);
      specular = material.shininess == 0.0f ? 1.0f : std::pow(facing, material.shininess);
    }
    for (int i = 0; i < 3; ++i) {
      colour[i] += factor * (material.ambient[i] * light->ambient[i] +
                             diffuse * material.diffuse[i] * light->diffuse[i] +
                             specular * material.specular[i] * light->specular[i]);
    }
  }
  for (float& c : colour) c = clamp01(c);
  return colour;
}

float objectLinear(const Vec4& plane, const Vec4& object) {
  return plane[0] * object[0] + plane[1] * object[1] + plane[2] * object[2] + plane[3] * object[3];
}

std::vector<std::uint32_t> quadsOfStrip(std::uint32_t count) {
  std::vector<std::uint32_t> corners;
  for (std::uint32_t i = 0; i + 3 < count; i += 2) {
    for (std::uint32_t c : {i, i + 1, i + 3, i + 2}) corners.push_back(c);
  }
  return corners;
}

}  // namespace pipeline

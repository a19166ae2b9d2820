#include "gl/matrices.h"

#include <cmath>

namespace matrices {

namespace {

float& at(Mat4& m, int row, int col) {
  return m.m[col * 4 + row];
}

float dot(const Vec3& a, const Vec3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
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

Mat4 ortho(float left, float right, float bottom, float top, float nearVal, float farVal) {
  Mat4 o;
  at(o, 0, 0) = 2.0f / (right - left);
  at(o, 0, 3) = -(right + left) / (right - left);
  at(o, 1, 1) = 2.0f / (top - bottom);
  at(o, 1, 3) = -(top + bottom) / (top - bottom);
  at(o, 2, 2) = -2.0f / (farVal - nearVal);
  at(o, 2, 3) = -(farVal + nearVal) / (farVal - nearVal);
  return o;
}

// By cofactors, in double precision, rounded to single at the end.
Mat4 inverse(const Mat4& m) {
  double a[16], inv[16];
  for (int i = 0; i < 16; ++i) a[i] = m.m[i];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] -
           a[8] * a[7] * a[14] - a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] -
            a[8] * a[6] * a[13] - a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] -
           a[9] * a[3] * a[14] - a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
  const double determinant = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  Mat4 r;
  if (determinant == 0.0) return r;
  for (int i = 0; i < 16; ++i) r.m[i] = float(inv[i] / determinant);
  return r;
}

Vec4 planeTimes(const Vec4& p, const Mat4& m) {
  Vec4 r;
  for (int col = 0; col < 4; ++col) {
    r[col] = p[0] * m.m[col * 4] + p[1] * m.m[col * 4 + 1] + p[2] * m.m[col * 4 + 2] +
             p[3] * m.m[col * 4 + 3];
  }
  return r;
}

Vec4 transform(const Mat4& m, const Vec4& v) {
  Vec4 r;
  for (int i = 0; i < 4; ++i) {
    r[i] = m.m[i] * v[0] + m.m[4 + i] * v[1] + m.m[8 + i] * v[2] + m.m[12 + i] * v[3];
  }
  return r;
}

// The inverse transpose is the matrix of cofactors over the determinant.
// A singular matrix, which has none, keeps its cofactors: it flattens the
// normals it turns, as it flattens the shape.
std::array<float, 9> normalMatrix(const Mat4& m) {
  auto a = [&](int row, int col) { return m.m[col * 4 + row]; };
  std::array<float, 9> n;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const int r0 = (row + 1) % 3, r1 = (row + 2) % 3, c0 = (col + 1) % 3, c1 = (col + 2) % 3;
      n[col * 3 + row] = a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0);
    }
  }
  const float determinant = a(0, 0) * n[0] + a(0, 1) * n[3] + a(0, 2) * n[6];
  if (determinant == 0.0f) return n;
  for (float& value : n) value /= determinant;
  return n;
}

Vec3 normalize(const Vec3& v) {
  const float length = std::sqrt(dot(v, v));
  if (length == 0.0f) return v;
  return {v[0] / length, v[1] / length, v[2] / length};
}

}  // namespace matrices

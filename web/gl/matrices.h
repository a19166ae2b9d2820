#pragma once

// The matrices of OpenGL 1.1 as plain arithmetic, in single precision as
// GL keeps them: the products the matrix calls make, and the matrix that
// turns normals. No GL context is needed.

#include <array>

namespace matrices {

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
Mat4 ortho(float left, float right, float bottom, float top, float nearVal, float farVal);
// The inverse; a singular matrix has none, and gives the identity.
Mat4 inverse(const Mat4& m);
// A plane's coefficients (a row) times the matrix, as GL takes a plane
// given in object coordinates into eye coordinates with the modelview's
// inverse.
Vec4 planeTimes(const Vec4& plane, const Mat4& m);
Vec4 transform(const Mat4& m, const Vec4& v);
// What turns normals, column-major: the inverse transpose of the upper 3
// by 3, as GL takes it.
std::array<float, 9> normalMatrix(const Mat4& m);
Vec3 normalize(const Vec3& v);

}  // namespace matrices

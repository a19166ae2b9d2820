// How points, lines and polygons are made into fragments: the point size,
// the line width and stipple, the polygon modes of each face, culling and
// which face is the front, the polygon stipple and the polygon offset.

#include <algorithm>
#include <cstring>

#include "gl/checks.h"
#include "gl/lists.h"
#include "gl/pixel_store.h"
#include "gl/state.h"

using namespace standin;

extern "C" {

void glPointSize(GLfloat size) {
  perform([size] {
    if (!outsideBeginEnd() || !validValue(size > 0.0f)) return;
    gl.point.size = size;
    stateChanged();
  });
}

void glLineWidth(GLfloat width) {
  perform([width] {
    if (!outsideBeginEnd() || !validValue(width > 0.0f)) return;
    gl.line.width = width;
    stateChanged();
  });
}

void glLineStipple(GLint factor, GLushort pattern) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    gl.line.stippleFactor = std::clamp(factor, 1, 256);
    gl.line.stipplePattern = pattern;
    stateChanged();
  });
}

void glPolygonMode(GLenum face, GLenum mode) {
  perform([=] {
    if (!outsideBeginEnd() || !knownEnum(face, {GL_FRONT, GL_BACK, GL_FRONT_AND_BACK})) return;
    if (!knownEnum(mode, {GL_POINT, GL_LINE, GL_FILL})) return;
    if (face != GL_BACK) gl.polygon.mode[0] = mode;
    if (face != GL_FRONT) gl.polygon.mode[1] = mode;
    stateChanged();
  });
}

void glCullFace(GLenum mode) {
  perform([mode] {
    if (!outsideBeginEnd() || !knownEnum(mode, {GL_FRONT, GL_BACK, GL_FRONT_AND_BACK})) return;
    gl.polygon.cullFace = mode;
    stateChanged();
  });
}

void glFrontFace(GLenum mode) {
  perform([mode] {
    if (!outsideBeginEnd() || !knownEnum(mode, {GL_CW, GL_CCW})) return;
    gl.polygon.frontFace = mode;
    stateChanged();
  });
}

void glPolygonOffset(GLfloat factor, GLfloat units) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    gl.polygon.offsetFactor = factor;
    gl.polygon.offsetUnits = units;
    stateChanged();
  });
}

// The pattern is read through the pixel store now, as GL reads it, and
// kept a row a word, bottom row first, the leftmost pixel the highest bit.
void glPolygonStipple(const GLubyte* mask) {
  std::vector<std::uint8_t> bits;
  PixelStore store = gl.client.unpack;
  store.lsbFirst = !store.lsbFirst;  // read so that the first pixel is bit 0 of its byte
  pixels::unpackBitmap(32, 32, mask, gl.client.unpack, bits);
  std::array<std::uint32_t, 32> rows{};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (bits[std::size_t(y) * 32 + std::size_t(x)]) rows[y] |= 1u << (31 - x);
    }
  }
  perform([rows] {
    if (!outsideBeginEnd()) return;
    gl.polygonStipple.rows = rows;
    stateChanged();
  });
}

void glGetPolygonStipple(GLubyte* mask) {
  if (!outsideBeginEnd()) return;
  const PixelStore& store = gl.client.pack;
  const std::uint64_t length = std::uint64_t(store.rowLength > 0 ? store.rowLength : 32);
  const std::uint64_t alignment = std::uint64_t(store.alignment);
  const std::uint64_t row = ((length + 7) / 8 + alignment - 1) / alignment * alignment;
  for (int y = 0; y < 32; ++y) {
    GLubyte* at = mask + (std::uint64_t(store.skipRows) + std::uint64_t(y)) * row;
    for (int x = 0; x < 32; ++x) {
      const std::uint64_t bit = std::uint64_t(store.skipPixels) + std::uint64_t(x);
      const int shift = store.lsbFirst ? int(bit % 8) : 7 - int(bit % 8);
      const bool on = (gl.polygonStipple.rows[y] >> (31 - x)) & 1;
      at[bit / 8] = GLubyte(on ? at[bit / 8] | (1 << shift) : at[bit / 8] & ~(1 << shift));
    }
  }
}

}  // extern "C"

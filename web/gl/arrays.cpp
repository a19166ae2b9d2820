// Client-side vertex, normal and texture-coordinate arrays, drawn with
// glDrawArrays and glDrawElements, which read them as they are at the
// draw. GLUT's shapes draw one strip after another from the same arrays,
// each strip a little further on, so the vertices the draws reach go into
// the frame once, in one run, and each draw's indices are only moved to
// where that run starts. A draw goes on with the run only where the
// vertices it shares with it are still the same: a program may write into
// its arrays between two draws. Arrays laid out as the frame lays out its
// vertices are read where they lie.

#include <algorithm>
#include <vector>

#include "gl/batch.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

// The arrays' vertices first to last (not included) are in the frame from
// `start` on, in that frame.
struct Run {
  std::uint64_t frame = ~0ull;
  GLuint first = 0, last = 0;
  std::uint32_t start = 0;
};

Run run;

// Whether an array's elements lie one after another, `size` floats each,
// as the frame lays its vertices out.
bool packed(const ClientArray& array, GLint size) {
  return array.size == size && (array.stride == 0 || array.stride == GLsizei(size * sizeof(float)));
}

const GLfloat* element(const ClientArray& array, GLuint index) {
  const GLsizei step = array.stride != 0 ? array.stride / GLsizei(sizeof(GLfloat)) : array.size;
  return array.data + std::size_t(index) * step;
}

// The arrays' vertices first to last as the frame takes them: read where
// they lie when they are laid out as the frame lays them out, else copied
// so into `scratch`; what the arrays leave out is GL's current value, or
// the default of a missing coordinate.
Vertices arrayVertices(GLuint first, GLuint last, std::vector<float>& scratch) {
  const std::uint32_t count = last - first;
  const bool normalsVary = gl.normalArray.enabled;
  const bool texCoordsVary = gl.texCoordArray.enabled;
  Vertices v{count,       nullptr,       gl.normal.data(), normalsVary,
             gl.texCoord, texCoordsVary, gl.colour.data(), false};
  const bool fast = packed(gl.vertexArray, 3) && (!normalsVary || packed(gl.normalArray, 3)) &&
                    (!texCoordsVary || packed(gl.texCoordArray, 2));
  if (fast) {
    v.positions = element(gl.vertexArray, first);
    if (normalsVary) v.normals = element(gl.normalArray, first);
    if (texCoordsVary) v.texCoords = element(gl.texCoordArray, first);
    return v;
  }
  scratch.resize(std::size_t(count) * 8);
  float* positions = scratch.data();
  float* normals = positions + std::size_t(count) * 3;
  float* texCoords = normals + std::size_t(count) * 3;
  for (std::uint32_t i = 0; i < count; ++i) {
    const GLfloat* p = element(gl.vertexArray, first + i);
    positions[i * 3] = p[0], positions[i * 3 + 1] = p[1];
    positions[i * 3 + 2] = gl.vertexArray.size > 2 ? p[2] : 0.0f;
    if (normalsVary) std::copy_n(element(gl.normalArray, first + i), 3, normals + i * 3);
    if (texCoordsVary) {
      const GLfloat* t = element(gl.texCoordArray, first + i);
      texCoords[i * 2] = t[0];
      texCoords[i * 2 + 1] = gl.texCoordArray.size > 1 ? t[1] : 0.0f;
    }
  }
  v.positions = positions;
  if (normalsVary) v.normals = normals;
  if (texCoordsVary) v.texCoords = texCoords;
  return v;
}

// Makes the run reach the arrays' vertices first to last (not included):
// it goes on where the vertices it shares with the draw are still what
// the arrays hold, else a new one starts.
void reach(GLuint first, GLuint last) {
  static std::vector<float> scratch;
  const bool goesOn = run.frame == flushCount() && first >= run.first && first <= run.last &&
                      run.start + (run.last - run.first) == frameVertexCount() &&
                      sameVertices(run.start + (first - run.first),
                                   arrayVertices(first, std::min(last, run.last), scratch));
  if (!goesOn) run = {flushCount(), first, first, frameVertexCount()};
  if (run.last >= last) return;
  addVertices(arrayVertices(run.last, last, scratch));
  run.last = last;
}

bool drawable(GLenum mode, GLsizei count) {
  if (!outsideBeginEnd()) return false;
  if (mode > GL_POLYGON) {
    setError(GL_INVALID_ENUM);
    return false;
  }
  if (count < 0) {
    setError(GL_INVALID_VALUE);
    return false;
  }
  return gl.vertexArray.enabled && count > 0;
}

// The lowest and highest of a draw's indices. The draws of a frame that
// gives the same indices as the frame before, draw for draw, as this
// program's do, are compared with what they gave then, a chunk at a time,
// rather than searched index by index.
struct Extent {
  GLuint lowest, highest;
};

template <typename Index>
Extent extentOf(const Index* indices, GLsizei count) {
  struct Draw {
    std::vector<std::uint8_t> indices;
    Extent extent;
  };
  static std::vector<Draw> draws;
  static std::uint64_t frame = ~0ull;
  static std::size_t next = 0;
  if (frame != flushCount()) frame = flushCount(), next = 0;
  if (next == draws.size()) draws.emplace_back();
  Draw& draw = draws[next++];
  const std::size_t bytes = std::size_t(count) * sizeof(Index);
  if (draw.indices.size() == bytes && sameBytes(draw.indices.data(), indices, bytes)) {
    return draw.extent;
  }
  Index lowest = indices[0], highest = indices[0];
  for (GLsizei i = 1; i < count; ++i) {
    lowest = std::min(lowest, indices[i]);
    highest = std::max(highest, indices[i]);
  }
  const auto* from = reinterpret_cast<const std::uint8_t*>(indices);
  draw.indices.assign(from, from + bytes);
  return draw.extent = {lowest, highest};
}

template <typename Index>
void drawFromArrays(GLenum mode, const Index* indices, GLenum type, GLsizei count, bool indexed) {
  const Extent extent = extentOf(indices, count);
  reach(extent.lowest, extent.highest + 1);
  // 16-bit indices of a run that begins at the arrays' first vertex go to
  // WebGL as they are, counted from where the run begins in the frame.
  if (type == GL_UNSIGNED_SHORT && run.first == 0 &&
      (mode == GL_TRIANGLE_STRIP || mode == GL_TRIANGLES)) {
    return drawShortIds(mode, reinterpret_cast<const GLushort*>(indices),
                        static_cast<std::uint32_t>(count), run.start);
  }
  const std::int64_t offset = std::int64_t(run.start) - std::int64_t(run.first);
  drawPrimitive(mode, {indices, type, static_cast<std::uint32_t>(count), offset},
                indexed ? Source::indexedArrays : Source::arrays);
}

ClientArray* clientArray(GLenum array) {
  switch (array) {
    case GL_VERTEX_ARRAY:
      return &gl.vertexArray;
    case GL_NORMAL_ARRAY:
      return &gl.normalArray;
    case GL_TEXTURE_COORD_ARRAY:
      return &gl.texCoordArray;
    default:
      unsupported("glEnableClientState", array);
      return nullptr;
  }
}

// An array the stand-in reads as GL does: floats, at a whole number of
// floats from one element to the next.
bool readable(const char* call, GLenum type, GLsizei stride) {
  if (stride < 0) {
    setError(GL_INVALID_VALUE);
    return false;
  }
  if (type != GL_FLOAT) {
    unsupported(call, type);
    return false;
  }
  if (stride % GLsizei(sizeof(GLfloat)) != 0) {
    unsupported(call, unsigned(stride), GL_INVALID_VALUE);
    return false;
  }
  return true;
}

}  // namespace

extern "C" {

void glEnableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = true;
}

void glDisableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = false;
}

// A fourth coordinate, w or q, would divide the others; the stand-in takes
// none.
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (size < 2 || size > 4) return setError(GL_INVALID_VALUE);
  if (!readable("glVertexPointer", type, stride)) return;
  if (size == 4) return unsupported("glVertexPointer", GLenum(size), GL_INVALID_VALUE);
  gl.vertexArray = {gl.vertexArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!readable("glNormalPointer", type, stride)) return;
  gl.normalArray = {gl.normalArray.enabled, 3, stride, static_cast<const GLfloat*>(pointer)};
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (size < 1 || size > 4) return setError(GL_INVALID_VALUE);
  if (!readable("glTexCoordPointer", type, stride)) return;
  if (size == 4) return unsupported("glTexCoordPointer", GLenum(size), GL_INVALID_VALUE);
  gl.texCoordArray = {gl.texCoordArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (first < 0) return setError(GL_INVALID_VALUE);
  if (!drawable(mode, count)) return;
  std::vector<GLuint> indices(static_cast<std::size_t>(count));
  for (GLsizei i = 0; i < count; ++i) indices[i] = static_cast<GLuint>(first + i);
  drawFromArrays(mode, indices.data(), GL_UNSIGNED_INT, count, false);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* pointer) {
  if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT) {
    return setError(GL_INVALID_ENUM);
  }
  if (!drawable(mode, count)) return;
  if (type == GL_UNSIGNED_BYTE)
    return drawFromArrays(mode, static_cast<const GLubyte*>(pointer), type, count, true);
  if (type == GL_UNSIGNED_SHORT)
    return drawFromArrays(mode, static_cast<const GLushort*>(pointer), type, count, true);
  drawFromArrays(mode, static_cast<const GLuint*>(pointer), type, count, true);
}

}  // extern "C"

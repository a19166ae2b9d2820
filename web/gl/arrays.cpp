// Client-side arrays of every type and stride GL 1.1 takes, read as they
// are at each draw: glArrayElement, glDrawArrays, glDrawElements and
// glInterleavedArrays. A display list keeps the values a draw read, as GL
// does; draws compiled one after another from the same arrays share the
// vertices they both reach, as GLUT's shapes draw one strip after another.

#include <algorithm>
#include <cstring>
#include <vector>

#include "gl/checks.h"
#include "gl/compiled_draw.h"
#include "gl/current.h"
#include "gl/lists.h"
#include "gl/state.h"

using namespace standin;

namespace {

std::size_t typeSize(GLenum type) {
  switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
      return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
      return 2;
    case GL_DOUBLE:
      return 8;
    default:
      return 4;
  }
}

const std::uint8_t* element(const ClientArray& a, GLuint index) {
  const std::size_t step =
      a.stride != 0 ? std::size_t(a.stride) : std::size_t(a.size) * typeSize(a.type);
  return static_cast<const std::uint8_t*>(a.pointer) + std::size_t(index) * step;
}

// One component of an element, as a float: as it is, or where
// `normalized`, mapped to [-1, 1] or [0, 1] as GL maps colours and normals.
float component(const std::uint8_t* at, GLenum type, int i, bool normalized) {
  const auto read = [&](auto value) {
    std::memcpy(&value, at + i * sizeof value, sizeof value);
    return value;
  };
  switch (type) {
    case GL_BYTE: {
      const GLbyte v = read(GLbyte{});
      return normalized ? fromByte(v) : float(v);
    }
    case GL_UNSIGNED_BYTE: {
      const GLubyte v = read(GLubyte{});
      return normalized ? fromUnsignedByte(v) : float(v);
    }
    case GL_SHORT: {
      const GLshort v = read(GLshort{});
      return normalized ? fromShort(v) : float(v);
    }
    case GL_UNSIGNED_SHORT: {
      const GLushort v = read(GLushort{});
      return normalized ? fromUnsignedShort(v) : float(v);
    }
    case GL_INT: {
      const GLint v = read(GLint{});
      return normalized ? fromInt(v) : float(v);
    }
    case GL_UNSIGNED_INT: {
      const GLuint v = read(GLuint{});
      return normalized ? fromUnsignedInt(v) : float(v);
    }
    case GL_DOUBLE:
      return float(read(double{}));
    default:
      return read(float{});
  }
}

// An element's components, those the array leaves out at GL's defaults
// (0, 0, 0, 1).
void read(const ClientArray& a, GLuint index, bool normalized, float* to, int size) {
  const std::uint8_t* at = element(a, index);
  const float defaults[4] = {0, 0, 0, 1};
  for (int i = 0; i < size; ++i)
    to[i] = i < a.size ? component(at, a.type, i, normalized) : defaults[i];
}

// The vertices first to last (not included) of the arrays, as a draw's.
void readVertices(GLuint first, GLuint last, VertexData& v) {
  const ClientState& c = gl.client;
  v.count = last - first;
  v.positions.resize(std::size_t(v.count) * 3);
  const auto give = [&](auto& attribute, bool enabled) {
    attribute.given = enabled;
    attribute.from = 0;
    attribute.values.resize(enabled ? std::size_t(v.count) * attribute.value.size() : 0);
  };
  const bool w = c.vertex.size == 4;
  give(v.w, w);
  give(v.normal, c.normal.enabled);
  give(v.colour, c.colour.enabled);
  give(v.texCoord, c.texCoord.enabled);
  give(v.edgeFlag, c.edgeFlag.enabled);
  for (GLuint i = 0; i < v.count; ++i) {
    float p[4];
    read(c.vertex, first + i, false, p, 4);
    std::copy(p, p + 3, v.positions.begin() + std::size_t(i) * 3);
    if (w) v.w.values[i] = p[3];
    if (c.normal.enabled) read(c.normal, first + i, true, &v.normal.values[std::size_t(i) * 3], 3);
    if (c.colour.enabled) read(c.colour, first + i, true, &v.colour.values[std::size_t(i) * 4], 4);
    if (c.texCoord.enabled)
      read(c.texCoord, first + i, false, &v.texCoord.values[std::size_t(i) * 4], 4);
    if (c.edgeFlag.enabled)
      v.edgeFlag.values[i] = *element(c.edgeFlag, first + i) != 0 ? 1.0f : 0.0f;
  }
  // A compiled draw leaves GL's current values as its last vertex's.
  if (v.count > 0) {
    if (c.normal.enabled)
      std::copy_n(&v.normal.values[std::size_t(v.count - 1) * 3], 3, v.normal.value.begin());
    if (c.colour.enabled)
      std::copy_n(&v.colour.values[std::size_t(v.count - 1) * 4], 4, v.colour.value.begin());
    if (c.texCoord.enabled)
      std::copy_n(&v.texCoord.values[std::size_t(v.count - 1) * 4], 4, v.texCoord.value.begin());
    if (c.edgeFlag.enabled) v.edgeFlag.value[0] = v.edgeFlag.values[v.count - 1];
  }
}

// Which arrays a draw reads, and how: draws alike share their vertices.
std::vector<std::uint8_t> layoutOf() {
  std::vector<std::uint8_t> layout;
  const ClientState& c = gl.client;
  for (const ClientArray* a : {&c.vertex, &c.normal, &c.colour, &c.texCoord, &c.edgeFlag}) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(a);
    layout.insert(layout.end(), bytes, bytes + sizeof *a);
  }
  return layout;
}

bool drawable(GLenum mode, GLsizei count) {
  if (!outsideBeginEnd() || !knownEnum(mode <= GL_POLYGON) || !validValue(count >= 0)) return false;
  return gl.client.vertex.enabled && count > 0;
}

// The lowest and highest of a draw's indices, and the draw's indices.
template <typename Index>
void readIndices(const Index* from, GLsizei count, std::vector<std::uint32_t>& to, GLuint& lowest,
                 GLuint& highest) {
  to.resize(std::size_t(count));
  lowest = highest = from[0];
  for (GLsizei i = 0; i < count; ++i) {
    to[i] = from[i];
    lowest = std::min<GLuint>(lowest, from[i]);
    highest = std::max<GLuint>(highest, from[i]);
  }
}

// Draws the arrays' vertices `first` to `last` now, through `indices`
// counted from `first` where given.
void drawNow(GLenum mode, GLuint first, GLuint last, const std::vector<std::uint32_t>* indices,
             Source source) {
  static VertexData v;
  static MaterialTable table;
  v.clear(mode);
  readVertices(first, last, v);
  const Vertices vertices = verticesOf(v, currentMaterials(), table);
  if (indices == nullptr) return drawVertices(mode, vertices, nullptr, 0, source);
  drawVertices(mode, vertices, indices->data(), std::uint32_t(indices->size()), source);
}

// Keeps a draw from the arrays in the list being made: in the draw it
// ends with, sharing the vertices it reached, where that draw read the
// same arrays and those vertices still hold what it read.
void keepArrayDraw(GLenum mode, GLuint first, GLuint last, std::vector<std::uint32_t> indices) {
  VertexData v;
  v.clear(mode);
  readVertices(first, last, v);
  std::vector<std::uint8_t> layout = layoutOf();
  const auto shared = lists::lastDraw();
  if (shared && shared->run.layout == layout && first >= shared->run.first &&
      first <= shared->run.last &&
      shared->run.at + (shared->run.last - shared->run.first) == shared->vertices.count) {
    CompiledDraw& draw = *shared;
    const GLuint overlap = std::min(last, draw.run.last) - first;
    const std::size_t at = draw.run.at + (first - draw.run.first);
    const bool same =
        std::equal(v.positions.begin(), v.positions.begin() + std::size_t(overlap) * 3,
                   draw.vertices.positions.begin() + at * 3);
    if (same && draw.vertices.normal.given == v.normal.given &&
        draw.vertices.colour.given == v.colour.given &&
        draw.vertices.texCoord.given == v.texCoord.given && draw.vertices.w.given == v.w.given &&
        draw.vertices.edgeFlag.given == v.edgeFlag.given && draw.vertices.materialChanges.empty()) {
      // The vertices past the run's end are added to it.
      if (last > draw.run.last) {
        VertexData more;
        more.clear(mode);
        readVertices(draw.run.last, last, more);
        extendDraw(draw, more);
        draw.run.last = last;
      }
      for (std::uint32_t& index : indices) index += std::uint32_t(at);
      const auto start = std::uint32_t(draw.indices.size());
      if (indices.empty()) {
        draw.primitives.push_back({mode, std::uint32_t(at), last - first, false});
      } else {
        draw.indices.insert(draw.indices.end(), indices.begin(), indices.end());
        draw.primitives.push_back({mode, start, std::uint32_t(indices.size()), true});
      }
      return;
    }
  }
  if (shared && joinable(*shared, v)) {
    CompiledDraw& draw = *shared;
    const std::uint32_t at = draw.vertices.count;
    const std::uint32_t count = v.count;
    extendDraw(draw, v);
    draw.run = {std::move(layout), first, last, at};
    if (indices.empty()) {
      draw.primitives.push_back({mode, at, count, false});
    } else {
      for (std::uint32_t& index : indices) index += at;
      const auto start = std::uint32_t(draw.indices.size());
      draw.indices.insert(draw.indices.end(), indices.begin(), indices.end());
      draw.primitives.push_back({mode, start, std::uint32_t(indices.size()), true});
    }
    return;
  }
  const std::uint32_t count = v.count;
  auto draw = std::make_shared<CompiledDraw>(std::move(v));
  draw->run = {std::move(layout), first, last, 0};
  if (indices.empty()) {
    draw->primitives.push_back({mode, 0, count, false});
  } else {
    draw->indices = std::move(indices);
    draw->primitives.push_back({mode, 0, std::uint32_t(draw->indices.size()), true});
  }
  lists::keepDraw(draw);
}

void drawOrKeep(GLenum mode, GLuint first, GLuint last, std::vector<std::uint32_t>* indices) {
  const Source source = indices != nullptr ? Source::indexedArrays : Source::arrays;
  if (lists::mode() != 0) {
    if (lists::compilingPair()) return lists::keep([] { setError(GL_INVALID_OPERATION); });
    keepArrayDraw(mode, first, last, indices != nullptr ? *indices : std::vector<std::uint32_t>{});
  }
  if (lists::mode() != GL_COMPILE) drawNow(mode, first, last, indices, source);
}

bool pointerValid(GLint size, GLint least, GLint most, GLsizei stride) {
  return validValue(size >= least && size <= most && stride >= 0);
}

void point(ClientArray& a, GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  a.size = size;
  a.type = type;
  a.stride = stride;
  a.pointer = pointer;
}

}  // namespace

extern "C" {

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!pointerValid(size, 2, 4, stride)) return;
  if (!knownEnum(type, {GL_SHORT, GL_INT, GL_FLOAT, GL_DOUBLE})) return;
  point(gl.client.vertex, size, type, stride, pointer);
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!pointerValid(3, 3, 3, stride)) return;
  if (!knownEnum(type, {GL_BYTE, GL_SHORT, GL_INT, GL_FLOAT, GL_DOUBLE})) return;
  point(gl.client.normal, 3, type, stride, pointer);
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!pointerValid(size, 3, 4, stride)) return;
  if (!knownEnum(type, {GL_BYTE, GL_UNSIGNED_BYTE, GL_SHORT, GL_UNSIGNED_SHORT, GL_INT,
                        GL_UNSIGNED_INT, GL_FLOAT, GL_DOUBLE})) {
    return;
  }
  point(gl.client.colour, size, type, stride, pointer);
}

void glIndexPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!pointerValid(1, 1, 1, stride)) return;
  if (!knownEnum(type, {GL_UNSIGNED_BYTE, GL_SHORT, GL_INT, GL_FLOAT, GL_DOUBLE})) return;
  point(gl.client.index, 1, type, stride, pointer);
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!pointerValid(size, 1, 4, stride)) return;
  if (!knownEnum(type, {GL_SHORT, GL_INT, GL_FLOAT, GL_DOUBLE})) return;
  point(gl.client.texCoord, size, type, stride, pointer);
}

void glEdgeFlagPointer(GLsizei stride, const GLvoid* pointer) {
  if (!validValue(stride >= 0)) return;
  point(gl.client.edgeFlag, 1, GL_UNSIGNED_BYTE, stride, pointer);
}

void glGetPointerv(GLenum pname, GLvoid** params) {
  const ClientState& c = gl.client;
  switch (pname) {
    case GL_VERTEX_ARRAY_POINTER:
      *params = const_cast<GLvoid*>(c.vertex.pointer);
      return;
    case GL_NORMAL_ARRAY_POINTER:
      *params = const_cast<GLvoid*>(c.normal.pointer);
      return;
    case GL_COLOR_ARRAY_POINTER:
      *params = const_cast<GLvoid*>(c.colour.pointer);
      return;
    case GL_INDEX_ARRAY_POINTER:
      *params = const_cast<GLvoid*>(c.index.pointer);
      return;
    case GL_TEXTURE_COORD_ARRAY_POINTER:
      *params = const_cast<GLvoid*>(c.texCoord.pointer);
      return;
    case GL_EDGE_FLAG_ARRAY_POINTER:
      *params = const_cast<GLvoid*>(c.edgeFlag.pointer);
      return;
    case GL_FEEDBACK_BUFFER_POINTER:
    case GL_SELECTION_BUFFER_POINTER:
      *params = nullptr;
      return;
    default:
      knownEnum(false);
  }
}

// As GL defines it: the enabled arrays' values at `i`, through the calls
// that set them, the vertex last.
void glArrayElement(GLint i) {
  const ClientState& c = gl.client;
  const GLuint index = GLuint(i);
  float v[4];
  if (c.edgeFlag.enabled) setEdgeFlag(*element(c.edgeFlag, index) != 0);
  if (c.texCoord.enabled) read(c.texCoord, index, false, v, 4), setTexCoord(v[0], v[1], v[2], v[3]);
  if (c.colour.enabled) read(c.colour, index, true, v, 4), setColour(v[0], v[1], v[2], v[3]);
  if (c.normal.enabled) read(c.normal, index, true, v, 3), setNormal(v[0], v[1], v[2]);
  if (c.vertex.enabled) read(c.vertex, index, false, v, 4), addVertex(v[0], v[1], v[2], v[3]);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (!validValue(first >= 0) || !drawable(mode, count)) return;
  drawOrKeep(mode, GLuint(first), GLuint(first) + GLuint(count), nullptr);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* pointer) {
  if (!knownEnum(type, {GL_UNSIGNED_BYTE, GL_UNSIGNED_SHORT, GL_UNSIGNED_INT})) return;
  if (!drawable(mode, count)) return;
  static std::vector<std::uint32_t> indices;
  GLuint lowest = 0, highest = 0;
  if (type == GL_UNSIGNED_BYTE) {
    readIndices(static_cast<const GLubyte*>(pointer), count, indices, lowest, highest);
  } else if (type == GL_UNSIGNED_SHORT) {
    readIndices(static_cast<const GLushort*>(pointer), count, indices, lowest, highest);
  } else {
    readIndices(static_cast<const GLuint*>(pointer), count, indices, lowest, highest);
  }
  for (std::uint32_t& index : indices) index -= lowest;
  drawOrKeep(mode, lowest, highest + 1, &indices);
}

// The arrays of one of GL's interleaved formats, one after another in
// `pointer` at `stride`, all else off.
void glInterleavedArrays(GLenum format, GLsizei stride, const GLvoid* pointer) {
  struct Format {
    GLenum name;
    int texCoords, colours;
    GLenum colourType;
    bool normals;
    int vertices;
  };
  static const Format formats[] = {{GL_V2F, 0, 0, 0, false, 2},
                                   {GL_V3F, 0, 0, 0, false, 3},
                                   {GL_C4UB_V2F, 0, 4, GL_UNSIGNED_BYTE, false, 2},
                                   {GL_C4UB_V3F, 0, 4, GL_UNSIGNED_BYTE, false, 3},
                                   {GL_C3F_V3F, 0, 3, GL_FLOAT, false, 3},
                                   {GL_N3F_V3F, 0, 0, 0, true, 3},
                                   {GL_C4F_N3F_V3F, 0, 4, GL_FLOAT, true, 3},
                                   {GL_T2F_V3F, 2, 0, 0, false, 3},
                                   {GL_T4F_V4F, 4, 0, 0, false, 4},
                                   {GL_T2F_C4UB_V3F, 2, 4, GL_UNSIGNED_BYTE, false, 3},
                                   {GL_T2F_C3F_V3F, 2, 3, GL_FLOAT, false, 3},
                                   {GL_T2F_N3F_V3F, 2, 0, 0, true, 3},
                                   {GL_T2F_C4F_N3F_V3F, 2, 4, GL_FLOAT, true, 3},
                                   {GL_T4F_C4F_N3F_V4F, 4, 4, GL_FLOAT, true, 4}};
  if (!validValue(stride >= 0)) return;
  const Format* f = nullptr;
  for (const Format& candidate : formats) {
    if (candidate.name == format) f = &candidate;
  }
  if (!knownEnum(f != nullptr)) return;
  const std::size_t colourBytes =
      f->colourType == GL_UNSIGNED_BYTE ? 4 : std::size_t(f->colours) * 4;
  const std::size_t bytes = std::size_t(f->texCoords) * 4 + (f->colours ? colourBytes : 0) +
                            (f->normals ? 12 : 0) + std::size_t(f->vertices) * 4;
  const GLsizei step = stride != 0 ? stride : GLsizei(bytes);
  const auto* at = static_cast<const std::uint8_t*>(pointer);
  ClientState& c = gl.client;
  c.edgeFlag.enabled = c.index.enabled = false;
  c.texCoord.enabled = f->texCoords != 0;
  if (f->texCoords) point(c.texCoord, f->texCoords, GL_FLOAT, step, at), at += f->texCoords * 4;
  c.colour.enabled = f->colours != 0;
  if (f->colours) point(c.colour, f->colours, f->colourType, step, at), at += colourBytes;
  c.normal.enabled = f->normals;
  if (f->normals) point(c.normal, 3, GL_FLOAT, step, at), at += 12;
  c.vertex.enabled = true;
  point(c.vertex, f->vertices, GL_FLOAT, step, at);
}

}  // extern "C"

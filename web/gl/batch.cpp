#include "gl/batch.h"

#include <cstring>

#include "gl/draw.h"
#include "gl/state.h"
#include "gl/unsupported.h"

namespace standin {

namespace {

std::vector<float> vertices;
VertexAttribute<2> texCoords;
VertexAttribute<4> colours;
std::vector<std::uint32_t> indices;
std::vector<Batch> batches;
std::uint64_t flushes = 0;

// The texture coordinate all of a primitive's vertices share; null when
// they differ.
const float* sharedTexCoord(const std::uint32_t* ids, std::uint32_t count) {
  const float* first = texCoords.of(ids[0]);
  if (!texCoords.varies()) return first;
  for (std::uint32_t i = 1; i < count; ++i) {
    const float* t = texCoords.of(ids[i]);
    if (t[0] != first[0] || t[1] != first[1]) return nullptr;
  }
  return first;
}

// The batch a draw in `mode` with the current state goes to: the last one
// when nothing has changed since, else a new one.
Batch& batchFor(GLenum mode, const std::uint32_t* ids, std::uint32_t count) {
  const DrawState state = drawState(sharedTexCoord(ids, count));
  if (!batches.empty()) {
    Batch& last = batches.back();
    if (last.mode == mode && std::memcmp(&last.state, &state, sizeof state) == 0) return last;
  }
  batches.push_back({state, mode, static_cast<std::uint32_t>(indices.size()), 0});
  return batches.back();
}

void add(Batch& batch, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  indices.insert(indices.end(), {a, b, c});
  batch.count += 3;
}

// Strips drawn one after another become one, joined by two repeated
// indices: the triangles across the join have no area and draw nothing.
void addStrip(const std::uint32_t* ids, std::uint32_t count) {
  Batch& batch = batchFor(GL_TRIANGLE_STRIP, ids, count);
  if (batch.count > 0) {
    indices.insert(indices.end(), {indices.back(), ids[0]});
    batch.count += 2;
  }
  indices.insert(indices.end(), ids, ids + count);
  batch.count += count;
}

// Quads are cut into triangles along the diagonal the desktop's renderer
// cuts them along, which shows where their corners' colours differ: a
// strip's quad from its first corner to its fourth; a quad from its first
// to its third, but where its draw is indexed or has to be clipped, from
// its second to its fourth.
void addQuad(Batch& batch, const std::uint32_t* corner, bool secondToFourth) {
  if (secondToFourth) {
    add(batch, corner[0], corner[1], corner[3]);
    add(batch, corner[1], corner[2], corner[3]);
  } else {
    add(batch, corner[0], corner[1], corner[2]);
    add(batch, corner[0], corner[2], corner[3]);
  }
}

void addStripQuad(Batch& batch, const std::uint32_t* corner) {
  add(batch, corner[0], corner[1], corner[3]);
  add(batch, corner[2], corner[0], corner[3]);
}

// Whether a vertex of the draw lies outside the view volume.
bool outsideTheView(const std::uint32_t* ids, std::uint32_t count) {
  const Mat4 clip = matrices::multiply(gl.projection.back(), gl.modelview.back());
  for (std::uint32_t i = 0; i < count; ++i) {
    const float* p = &vertices[std::size_t(ids[i]) * floatsPerVertex];
    const Vec4 v = matrices::transform(clip, {p[0], p[1], p[2], 1.0f});
    for (int axis = 0; axis < 3; ++axis) {
      if (v[axis] < -v[3] || v[axis] > v[3]) return true;
    }
  }
  return false;
}

}  // namespace

std::uint32_t frameVertexCount() {
  return static_cast<std::uint32_t>(vertices.size() / floatsPerVertex);
}

std::uint32_t addVertex(const Vertex& vertex) {
  const std::uint32_t id = frameVertexCount();
  vertices.insert(vertices.end(), vertex.position, vertex.position + 3);
  vertices.insert(vertices.end(), vertex.normal, vertex.normal + 3);
  texCoords.add(vertex.texCoord);
  colours.add(vertex.colour);
  return id;
}

bool sameVertex(std::uint32_t id, const Vertex& vertex) {
  const float* v = &vertices[std::size_t(id) * floatsPerVertex];
  return std::equal(v, v + 3, vertex.position) && std::equal(v + 3, v + 6, vertex.normal) &&
         std::equal(vertex.texCoord, vertex.texCoord + 2, texCoords.of(id)) &&
         std::equal(vertex.colour, vertex.colour + 4, colours.of(id));
}

void drawPrimitive(GLenum mode, const std::uint32_t* ids, std::uint32_t count, bool indexed) {
  if (drawingStopped()) return;
  if (mode == GL_TRIANGLE_STRIP) {
    if (count >= 3) addStrip(ids, count);
    return;
  }
  Batch* batch = nullptr;
  const auto triangles = [&]() -> Batch& {
    return batch ? *batch : *(batch = &batchFor(GL_TRIANGLES, ids, count));
  };
  switch (mode) {
    case GL_TRIANGLES:
      for (std::uint32_t i = 0; i + 2 < count; i += 3)
        add(triangles(), ids[i], ids[i + 1], ids[i + 2]);
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (std::uint32_t i = 1; i + 1 < count; ++i) add(triangles(), ids[0], ids[i], ids[i + 1]);
      break;
    case GL_QUADS: {
      const bool secondToFourth = indexed || outsideTheView(ids, count);
      for (std::uint32_t q = 0; q + 3 < count; q += 4)
        addQuad(triangles(), ids + q, secondToFourth);
      break;
    }
    case GL_QUAD_STRIP:
      for (std::uint32_t i = 0; i + 3 < count; i += 2) addStripQuad(triangles(), ids + i);
      break;
    default:
      unsupported("glBegin", mode);
  }
}

void flushDraws() {
  if (!batches.empty() && !drawingStopped()) {
    drawFrame({vertices, texCoords, colours, indices, batches});
  }
  vertices.clear();
  texCoords.clear();
  colours.clear();
  indices.clear();
  batches.clear();
  ++flushes;
}

std::uint64_t flushCount() {
  return flushes;
}

}  // namespace standin

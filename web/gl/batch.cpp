#include "gl/batch.h"

#include <cstring>
#include <vector>

#include "gl/draw.h"
#include "gl/state.h"
#include "gl/unsupported.h"

namespace standin {

namespace {

std::vector<float> vertices;
std::vector<float> texCoords;
std::vector<std::uint32_t> indices;
std::vector<Batch> batches;
std::uint64_t flushes = 0;

// The corners' order of the triangles a quad is drawn as: (0, 1, 2) and
// (0, 2, 3), the split the desktop's renderer makes.
constexpr std::uint32_t quadTriangles[] = {0, 1, 2, 0, 2, 3};

// The batch a draw in `mode` with the current state goes to: the last one
// when nothing has changed since, else a new one.
// The texture coordinate all of a primitive's vertices share; null when
// they differ.
const float* sharedTexCoord(const std::uint32_t* ids, std::uint32_t count) {
  const float* first = &texCoords[std::size_t(ids[0]) * 2];
  for (std::uint32_t i = 1; i < count; ++i) {
    const float* t = &texCoords[std::size_t(ids[i]) * 2];
    if (t[0] != first[0] || t[1] != first[1]) return nullptr;
  }
  return first;
}

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

void addQuad(Batch& batch, const std::uint32_t (&corners)[4]) {
  add(batch, corners[quadTriangles[0]], corners[quadTriangles[1]], corners[quadTriangles[2]]);
  add(batch, corners[quadTriangles[3]], corners[quadTriangles[4]], corners[quadTriangles[5]]);
}

}  // namespace

std::uint32_t frameVertexCount() {
  return static_cast<std::uint32_t>(vertices.size() / floatsPerVertex);
}

NewVertices addVertices(std::uint32_t count) {
  const std::size_t at = frameVertexCount();
  vertices.resize((at + count) * floatsPerVertex);
  texCoords.resize((at + count) * 2);
  return {vertices.data() + at * floatsPerVertex, texCoords.data() + at * 2};
}

std::uint32_t addVertex(const float* position, const float* normal, const float* texCoord) {
  const std::uint32_t id = frameVertexCount();
  const NewVertices to = addVertices(1);
  float* v = to.attributes;
  v[0] = position[0], v[1] = position[1], v[2] = position[2];
  v[3] = normal[0], v[4] = normal[1], v[5] = normal[2];
  to.texCoords[0] = texCoord[0], to.texCoords[1] = texCoord[1];
  return id;
}

void drawPrimitive(GLenum mode, const std::uint32_t* ids, std::uint32_t count) {
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
    case GL_QUADS:
      for (std::uint32_t q = 0; q + 3 < count; q += 4)
        addQuad(triangles(), {ids[q], ids[q + 1], ids[q + 2], ids[q + 3]});
      break;
    case GL_QUAD_STRIP:
      // The strip's pairs are the quads' sides: each quad goes round v0 v1 v3 v2.
      for (std::uint32_t i = 0; i + 3 < count; i += 2)
        addQuad(triangles(), {ids[i], ids[i + 1], ids[i + 3], ids[i + 2]});
      break;
    default:
      unsupported("glBegin", mode);
  }
}

void flushDraws() {
  if (!batches.empty() && !drawingStopped()) drawBatches(vertices, texCoords, indices, batches);
  vertices.clear();
  texCoords.clear();
  indices.clear();
  batches.clear();
  ++flushes;
}

std::uint64_t flushCount() {
  return flushes;
}

}  // namespace standin

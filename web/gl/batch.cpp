#include "gl/batch.h"

#include <cstring>

#include "gl/draw.h"
#include "gl/lists.h"
#include "gl/state.h"
#include "gl/unsupported.h"

namespace standin {

namespace {

KeptArray<float> positions;  // three floats a vertex
KeptArray<float> normals;    // three floats a vertex
KeptArray<std::uint32_t> indices;
KeptArray<std::uint16_t> shortIndices;
KeptArray<std::uint8_t> slots;
VertexAttribute<2> texCoords;
VertexAttribute<4> colours;
std::vector<Batch> batches;
std::uint64_t flushes = 0;

// The frame's id of a primitive's vertex `i`: the offset is added modulo
// 2^32, so a negative one subtracts.
template <typename Index>
struct IdsOf {
  const Index* indices;
  std::uint32_t offset;
  std::uint32_t operator[](std::uint32_t i) const { return offset + indices[i]; }
};

// The texture coordinate all of a primitive's vertices share; null when
// they differ.
template <typename Index>
const float* sharedTexCoord(const IdsOf<Index>& id, std::uint32_t count) {
  const float* first = texCoords.of(id[0]);
  if (!texCoords.varies()) return first;
  for (std::uint32_t i = 1; i < count; ++i) {
    const float* t = texCoords.of(id[i]);
    if (t[0] != first[0] || t[1] != first[1]) return nullptr;
  }
  return first;
}

// A batch of no indices yet from `first` on, drawn from the frame.
Batch batchOf(const DrawState& state, const DrawMaterial& material, GLenum mode,
              std::uint32_t first) {
  Batch batch{};
  batch.state = state;
  batch.mode = mode;
  batch.first = first;
  batch.materials = 1;
  batch.material[0] = material;
  return batch;
}

// The slot of `material` in `batch`, which takes it in where `ownVertices`
// (the draw's vertices are its own, to be given that slot) and there is
// room; -1 when it has not.
int slotIn(Batch& batch, const DrawMaterial& material, bool ownVertices) {
  for (int slot = 0; slot < batch.materials; ++slot) {
    if (sameBytes(&batch.material[slot], &material, sizeof material)) return slot;
  }
  if (!ownVertices || batch.materials == batchMaterials) return -1;
  batch.material[batch.materials] = material;
  return batch.materials++;
}

// The batch a draw in `mode` with the current state goes to: the last one
// when its state and its kind of indices are the same and it has the
// draw's material or room for it, else a new one; and the slot of the
// draw's material in it.
struct Placed {
  Batch& batch;
  int slot;
};
Placed batchFor(GLenum mode, const float* texCoord, bool ownVertices, bool shortIds = false,
                std::uint32_t base = 0) {
  const DrawState& state = drawState(texCoord);
  const DrawMaterial& material = drawMaterial();
  if (!batches.empty()) {
    Batch& last = batches.back();
    if (last.list == 0 && last.mode == mode && last.shortIds == shortIds && last.base == base &&
        (last.state.serial == state.serial || sameDrawState(last.state, state))) {
      const int slot = slotIn(last, material, ownVertices);
      if (slot >= 0) return {last, slot};
    }
  }
  const std::size_t first = shortIds ? shortIndices.used() : indices.used();
  batches.push_back(batchOf(state, material, mode, static_cast<std::uint32_t>(first)));
  Batch& batch = batches.back();
  batch.shortIds = shortIds;
  batch.base = base;
  return {batch, 0};
}

// A draw whose own vertices are `first` on gives them its material's slot.
void giveSlot(const Placed& placed, std::uint32_t first, std::uint32_t count) {
  slots.setSame(first, std::uint8_t(placed.slot), count);
}

void add(Batch& batch, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  const std::uint32_t triangle[] = {a, b, c};
  indices.write(triangle, 3);
  batch.count += 3;
}

// Strips drawn one after another become one, joined by two repeated
// indices: the triangles across the join have no area and draw nothing.
void join(Batch& batch, std::uint32_t next) {
  if (batch.count == 0) return;
  const std::uint32_t bridge[] = {indices[indices.used() - 1], next};
  indices.write(bridge, 2);
  batch.count += 2;
}

// Writes the frame's ids of a primitive's vertices `from` to `to` (not
// included), a chunk at a time.
template <typename Index>
void writeIds(const IdsOf<Index>& id, std::uint32_t from, std::uint32_t to) {
  std::uint32_t chunk[512];
  while (from < to) {
    const std::uint32_t n = std::min<std::uint32_t>(512, to - from);
    for (std::uint32_t i = 0; i < n; ++i) chunk[i] = id[from + i];
    indices.write(chunk, n);
    from += n;
  }
}

template <typename Index>
void addStrip(Batch& batch, const IdsOf<Index>& id, std::uint32_t count) {
  join(batch, id[0]);
  writeIds(id, 0, count);
  batch.count += count;
}

// A quad strip is drawn as a triangle strip of its pairs turned round:
// each quad is then cut from its first corner to its fourth, as the
// desktop's renderer cuts it, in two indices a quad rather than six.
template <typename Index>
void addQuadStrip(Batch& batch, const IdsOf<Index>& id, std::uint32_t count) {
  const std::uint32_t pairs = count / 2;
  join(batch, id[1]);
  std::uint32_t chunk[512];
  for (std::uint32_t i = 0; i < pairs;) {
    std::uint32_t n = 0;
    for (; n < 512 && i < pairs; n += 2, ++i) chunk[n] = id[2 * i + 1], chunk[n + 1] = id[2 * i];
    indices.write(chunk, n);
  }
  batch.count += 2 * pairs;
}

// Quads are cut into triangles along the diagonal the desktop's renderer
// cuts them along, which shows where their corners' colours differ: from
// the first corner to the third, but where the draw is indexed or has to
// be clipped, from the second to the fourth.
void addQuad(Batch& batch, const std::uint32_t (&c)[4], bool secondToFourth) {
  if (secondToFourth) {
    add(batch, c[0], c[1], c[3]);
    add(batch, c[1], c[2], c[3]);
  } else {
    add(batch, c[0], c[1], c[2]);
    add(batch, c[0], c[2], c[3]);
  }
}

// The matrix from object to clip coordinates, worked out again only after
// GL's state changed.
const Mat4& clipMatrix() {
  static Mat4 clip;
  static std::uint64_t workedOutAt = ~0ull;
  if (workedOutAt != gl.changes) {
    clip = matrices::multiply(gl.projection.back(), gl.modelview.back());
    workedOutAt = gl.changes;
  }
  return clip;
}

// Whether a vertex of the draw lies outside the view volume.
template <typename Index>
bool outsideTheView(const IdsOf<Index>& id, std::uint32_t count) {
  const Mat4& clip = clipMatrix();
  for (std::uint32_t i = 0; i < count; ++i) {
    const float* p = &positions[std::size_t(id[i]) * 3];
    const Vec4 v = matrices::transform(clip, {p[0], p[1], p[2], 1.0f});
    for (int axis = 0; axis < 3; ++axis) {
      if (v[axis] < -v[3] || v[axis] > v[3]) return true;
    }
  }
  return false;
}

template <typename Index>
void addTriangles(GLenum mode, const IdsOf<Index>& id, std::uint32_t count, Source source) {
  if (count < 3) return;
  const Placed placed =
      batchFor(GL_TRIANGLES, sharedTexCoord(id, count), source == Source::immediate);
  if (source == Source::immediate) giveSlot(placed, id[0], count);
  Batch& batch = placed.batch;
  const bool indexed = source == Source::indexedArrays;
  switch (mode) {
    case GL_TRIANGLES:
      for (std::uint32_t i = 0; i + 2 < count; i += 3) add(batch, id[i], id[i + 1], id[i + 2]);
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (std::uint32_t i = 1; i + 1 < count; ++i) add(batch, id[0], id[i], id[i + 1]);
      break;
    case GL_QUADS: {
      const bool secondToFourth = indexed || outsideTheView(id, count);
      for (std::uint32_t q = 0; q + 3 < count; q += 4) {
        addQuad(batch, {id[q], id[q + 1], id[q + 2], id[q + 3]}, secondToFourth);
      }
      break;
    }
  }
}

// The batch a strip goes to, its own vertices given its material's slot.
template <typename Index>
Batch& stripBatch(const IdsOf<Index>& id, std::uint32_t count, Source source) {
  const Placed placed =
      batchFor(GL_TRIANGLE_STRIP, sharedTexCoord(id, count), source == Source::immediate);
  if (source == Source::immediate) giveSlot(placed, id[0], count);
  return placed.batch;
}

template <typename Index>
void drawPrimitiveOf(GLenum mode, const IdsOf<Index>& id, std::uint32_t count, Source source) {
  if (lists::List* list = lists::compiling()) return addListPrimitive(*list, mode, id, count);
  switch (mode) {
    case GL_TRIANGLE_STRIP:
      if (count >= 3) addStrip(stripBatch(id, count, source), id, count);
      break;
    case GL_QUAD_STRIP:
      if (count >= 4) addQuadStrip(stripBatch(id, count, source), id, count);
      break;
    case GL_TRIANGLES:
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
    case GL_QUADS:
      addTriangles(mode, id, count, source);
      break;
    default:
      unsupported("glBegin", mode);
  }
}

// Whether the frame's vertices from `at` on have these values of an
// attribute, one each or one for all.
template <int size>
bool sameEach(const VertexAttribute<size>& attribute, std::uint32_t at, const float* values,
              bool vary, std::uint32_t count) {
  if (!attribute.varies() && !vary) return std::equal(values, values + size, attribute.of(0));
  for (std::uint32_t i = 0; i < count; ++i) {
    const float* value = vary ? values + std::size_t(i) * size : values;
    if (!std::equal(value, value + size, attribute.of(at + i))) return false;
  }
  return true;
}

// A list compiles its vertices' positions and normals alone: the texture
// coordinate and colour are those current when it is called, and GL
// takes normals from the arrays or from the list's own calls.
std::uint32_t addListVertices(lists::List& list, const Vertices& v) {
  if (v.texCoordsVary) unsupported("glNewList", GL_TEXTURE_COORD_ARRAY, GL_INVALID_OPERATION);
  if (v.coloursVary) unsupported("glNewList", GL_CURRENT_COLOR, GL_INVALID_OPERATION);
  if (!v.normalsVary) unsupported("glNewList", GL_NORMAL_ARRAY, GL_INVALID_OPERATION);
  const auto first = static_cast<std::uint32_t>(list.positions.size() / 3);
  list.positions.insert(list.positions.end(), v.positions, v.positions + std::size_t(v.count) * 3);
  list.normals.insert(list.normals.end(), v.normals, v.normals + std::size_t(v.count) * 3);
  return first;
}

// A list takes strips and triangles; a quad's diagonal depends on where it
// is drawn, so quads are not compiled.
template <typename Index>
void addListPrimitive(lists::List& list, GLenum mode, const IdsOf<Index>& id, std::uint32_t count) {
  auto& strip = list.strip;
  const auto joinStrip = [&](std::uint32_t next) {
    if (!strip.empty()) strip.insert(strip.end(), {strip.back(), next});
  };
  switch (mode) {
    case GL_TRIANGLE_STRIP:
      if (count < 3) return;
      joinStrip(id[0]);
      for (std::uint32_t i = 0; i < count; ++i) strip.push_back(id[i]);
      return;
    case GL_QUAD_STRIP:
      if (count < 4) return;
      joinStrip(id[1]);
      for (std::uint32_t i = 0; i + 1 < count; i += 2)
        strip.insert(strip.end(), {id[i + 1], id[i]});
      return;
    case GL_TRIANGLES:
      for (std::uint32_t i = 0; i + 2 < count; i += 3)
        list.triangles.insert(list.triangles.end(), {id[i], id[i + 1], id[i + 2]});
      return;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (std::uint32_t i = 1; i + 1 < count; ++i)
        list.triangles.insert(list.triangles.end(), {id[0], id[i], id[i + 1]});
      return;
    default:
      unsupported("glNewList", mode, GL_INVALID_OPERATION);
  }
}

}  // namespace

std::uint32_t frameVertexCount() {
  if (const lists::List* list = lists::compiling()) {
    return static_cast<std::uint32_t>(list->positions.size() / 3);
  }
  return static_cast<std::uint32_t>(positions.used() / 3);
}

std::uint32_t addVertices(const Vertices& v, bool slotsLater) {
  if (lists::List* list = lists::compiling()) return addListVertices(*list, v);
  const std::uint32_t first = frameVertexCount();
  positions.write(v.positions, std::size_t(v.count) * 3);
  if (v.normalsVary) {
    normals.write(v.normals, std::size_t(v.count) * 3);
  } else {
    for (std::uint32_t i = 0; i < v.count; ++i) normals.write(v.normals, 3);
  }
  if (v.texCoordsVary) {
    texCoords.addEach(v.texCoords, v.count);
  } else {
    texCoords.add(v.texCoords, v.count);
  }
  if (v.coloursVary) {
    colours.addEach(v.colours, v.count);
  } else {
    colours.add(v.colours, v.count);
  }
  slots.extend(v.count);
  if (!slotsLater) slots.setSame(first, 0, v.count);
  return first;
}

bool sameVertices(std::uint32_t at, const Vertices& v) {
  if (const lists::List* list = lists::compiling()) {
    return sameBytes(list->positions.data() + std::size_t(at) * 3, v.positions,
                     std::size_t(v.count) * 3 * sizeof(float)) &&
           v.normalsVary &&
           sameBytes(list->normals.data() + std::size_t(at) * 3, v.normals,
                     std::size_t(v.count) * 3 * sizeof(float));
  }
  if (!positions.holds(std::size_t(at) * 3, v.positions, std::size_t(v.count) * 3)) return false;
  if (v.normalsVary) {
    if (!normals.holds(std::size_t(at) * 3, v.normals, std::size_t(v.count) * 3)) return false;
  } else {
    for (std::uint32_t i = 0; i < v.count; ++i) {
      if (!normals.holds(std::size_t(at + i) * 3, v.normals, 3)) return false;
    }
  }
  return sameEach(texCoords, at, v.texCoords, v.texCoordsVary, v.count) &&
         sameEach(colours, at, v.colours, v.coloursVary, v.count);
}

void drawPrimitive(GLenum mode, const Ids& ids, Source source) {
  if (drawingStopped()) return;
  const auto offset = static_cast<std::uint32_t>(ids.offset);
  switch (ids.type) {
    case GL_UNSIGNED_BYTE:
      return drawPrimitiveOf(mode, IdsOf<GLubyte>{static_cast<const GLubyte*>(ids.indices), offset},
                             ids.count, source);
    case GL_UNSIGNED_SHORT:
      return drawPrimitiveOf(mode,
                             IdsOf<GLushort>{static_cast<const GLushort*>(ids.indices), offset},
                             ids.count, source);
    default:
      return drawPrimitiveOf(mode, IdsOf<GLuint>{static_cast<const GLuint*>(ids.indices), offset},
                             ids.count, source);
  }
}

void drawShortIds(GLenum mode, const GLushort* ids, std::uint32_t count, std::uint32_t base) {
  if (drawingStopped() || count < 3) return;
  const IdsOf<GLushort> id{ids, base};
  if (lists::List* list = lists::compiling()) return addListPrimitive(*list, mode, id, count);
  Batch& batch = batchFor(mode, sharedTexCoord(id, count), false, true, base).batch;
  if (mode == GL_TRIANGLES) count -= count % 3;
  if (mode == GL_TRIANGLE_STRIP && batch.count > 0) {
    const std::uint16_t bridge[] = {shortIndices[shortIndices.used() - 1], ids[0]};
    shortIndices.write(bridge, 2);
    batch.count += 2;
  }
  shortIndices.write(ids, count);
  batch.count += count;
}

void flushDraws() {
  if (!batches.empty() && !drawingStopped()) {
    drawFrame({positions, normals, texCoords, colours, indices, shortIndices, slots, batches});
  }
  positions.restart();
  normals.restart();
  indices.restart();
  shortIndices.restart();
  slots.restart();
  texCoords.clear();
  colours.clear();
  batches.clear();
  startGathering();
}

void startGathering() {
  ++flushes;
}

std::uint64_t flushCount() {
  return flushes;
}

// Each of the list's two kinds of primitive is a batch of its own, drawn
// from the list's buffers.
void drawList(GLuint name, const lists::List& list) {
  if (drawingStopped()) return;
  const std::uint32_t parts[][3] = {
      {GL_TRIANGLE_STRIP, 0, std::uint32_t(list.strip.size())},
      {GL_TRIANGLES, std::uint32_t(list.strip.size()), std::uint32_t(list.triangles.size())}};
  for (const auto& [mode, first, count] : parts) {
    if (count == 0) continue;
    batches.push_back(batchOf(drawState(gl.texCoord), drawMaterial(), mode, first));
    Batch& batch = batches.back();
    batch.count = count;
    batch.list = name;
    std::copy(gl.texCoord, gl.texCoord + 2, batch.texCoord);
    std::copy(gl.colour.begin(), gl.colour.end(), batch.colour);
  }
}

void forgetSentVertices() {
  positions.forgetSent();
  normals.forgetSent();
  indices.forgetSent();
  shortIndices.forgetSent();
  slots.forgetSent();
}

}  // namespace standin

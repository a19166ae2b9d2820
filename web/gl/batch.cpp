#include "gl/batch.h"

#include "gl/checks.h"
#include "gl/compiled_draw.h"
#include "gl/draw.h"
#include "gl/state.h"

namespace standin {

namespace {

KeptArray<float> positions;  // three floats a vertex
KeptArray<float> normals;    // three floats a vertex
KeptArray<std::uint32_t> indices;
KeptArray<std::uint8_t> slots;
VertexAttribute<1> ws;
VertexAttribute<4> texCoords;
VertexAttribute<4> colours;
VertexAttribute<4> shadePositions;  // where a flat-shaded vertex is lit
VertexAttribute<4> clipPositions;   // where a vertex of the stand-in's own geometry is
std::vector<Batch> batches;
std::vector<float> materialValues;  // the batches' materials, one after another
constexpr std::uint32_t noPair = UINT32_MAX;
std::uint32_t pairFirst = noPair;  // the open pair's first vertex in the frame
// The vertices before this have all their attributes in the frame; those
// after it, a pair's positions and normals only, drawn from vertices the
// stand-in made of them, or not at all.
std::uint32_t attributed = 0;

// Takes the vertices that have no attributes but their positions and
// normals back out of the frame, for others to take their places.
void dropUnattributed() {
  positions.takeBack(std::size_t(attributed) * 3);
  normals.takeBack(std::size_t(attributed) * 3);
}

constexpr float origin[4] = {0, 0, 0, 1};

// A new batch, made where it stays: a batch is large, and a frame makes
// dozens.
Batch& startBatch(const DrawState& state, GLenum mode) {
  Batch& batch = batches.emplace_back();
  batch.state = state;
  batch.mode = mode;
  batch.first = static_cast<std::uint32_t>(indices.used());
  batch.materialAt = materialValues.size();
  return batch;
}

// The slot of `material` in `batch`, the last batch, which takes it in
// where there is room; -1 when it has not.
int slotIn(Batch& batch, const DrawMaterial& material) {
  const std::size_t floats = std::size_t(material.vectors) * 4;
  batch.materialVectors = material.vectors;
  const float* held = materialValues.data() + batch.materialAt;
  for (int slot = 0; slot < batch.materials; ++slot) {
    if (sameBytes(held + slot * floats, material.values, floats * sizeof(float))) return slot;
  }
  if (batch.materials == batchMaterials) return -1;
  materialValues.insert(materialValues.end(), material.values, material.values + floats);
  return batch.materials++;
}

// Gives each of the draw's materials a slot in `batch`, the last batch;
// false, and the batch as it was, when they do not all fit.
bool takeMaterials(Batch& batch, const Placing& placing, std::uint8_t* slotOf) {
  const int had = batch.materials;
  const std::size_t held = materialValues.size();
  static DrawMaterial material;
  for (int i = 0; i < placing.materialCount; ++i) {
    drawMaterial(placing.materials[i], batch.state.key, material);
    const int slot = slotIn(batch, material);
    if (slot < 0) {
      batch.materials = had;
      materialValues.resize(held);
      return false;
    }
    slotOf[i] = std::uint8_t(slot);
  }
  return true;
}

bool joins(const Batch& last, const Placing& placing, const DrawState& state) {
  return last.retained == nullptr && last.mode == placing.mode &&
         (last.state.serial == state.serial || sameDrawState(last.state, state));
}

}  // namespace

std::uint32_t frameVertexCount() {
  return static_cast<std::uint32_t>(positions.used() / 3);
}

const float* framePosition(std::uint32_t id) {
  return &positions[std::size_t(id) * 3];
}

const float* frameNormal(std::uint32_t id) {
  return &normals[std::size_t(id) * 3];
}

void openFramePair() {
  dropUnattributed();
  pairFirst = frameVertexCount();
}

std::uint32_t closeFramePair() {
  const std::uint32_t first = pairFirst;
  pairFirst = noPair;
  return first;
}

void addFrameVertex(float x, float y, float z, const float* normal) {
  positions.write3(x, y, z);
  normals.write3(normal[0], normal[1], normal[2]);
}

void takeBackFrameVertices(std::uint32_t first, std::vector<float>& to, std::vector<float>& n) {
  const std::size_t from = std::size_t(first) * 3;
  to.assign(positions.data() + from, positions.data() + positions.used());
  n.assign(normals.data() + from, normals.data() + normals.used());
  positions.takeBack(from);
  normals.takeBack(from);
}

namespace {

// Adds vertices to the frame for the last batch placed, their materials'
// slots `slots` (one for all when `slotsVary` is false). Vertices already
// in the frame are its last, and keep their place.
std::uint32_t addVertices(const Vertices& v, const std::uint8_t* slotOf, bool slotsVary) {
  std::uint32_t first = frameVertexCount();
  if (v.inFrame) {
    first -= v.count;
  } else {
    dropUnattributed();
    first = frameVertexCount();
    positions.write(v.positions, std::size_t(v.count) * 3);
    if (v.normalsVary) {
      normals.write(v.normals, std::size_t(v.count) * 3);
    } else {
      normals.repeat(v.normals, 3, v.count);
    }
  }
  v.wsVary ? ws.addEach(v.ws, v.count) : ws.add(v.ws, v.count);
  v.texCoordsVary ? texCoords.addEach(v.texCoords, v.count) : texCoords.add(v.texCoords, v.count);
  v.coloursVary ? colours.addEach(v.colours, v.count) : colours.add(v.colours, v.count);
  v.shadePositions ? shadePositions.addEach(v.shadePositions, v.count)
                   : shadePositions.add(origin, v.count);
  v.clipPositions ? clipPositions.addEach(v.clipPositions, v.count)
                  : clipPositions.add(origin, v.count);
  if (slotsVary) {
    for (std::uint32_t i = 0; i < v.count; ++i) slots.write(slotOf[v.materialIds[i]]);
  } else {
    slots.fill(slotOf[0], v.count);
  }
  attributed = first + v.count;
  return first;
}

}  // namespace

Placed place(const Placing& placing, const Vertices& v) {
  Key extra = placing.features;
  const DrawState& state = drawState(placing.texCoord, extra);
  std::uint8_t slotOf[batchMaterials] = {};
  const bool lit = get(state.key, keys::lighting) != 0;
  if (placing.materialCount > batchMaterials) {
    refuse("glMaterial", "more materials in one draw than the stand-in takes");
  }
  Batch* batch = nullptr;
  if (!batches.empty() && joins(batches.back(), placing, state) &&
      (!lit || takeMaterials(batches.back(), placing, slotOf))) {
    batch = &batches.back();
  } else {
    batch = &startBatch(state, placing.mode);
    if (lit) takeMaterials(*batch, placing, slotOf);
  }
  const std::uint32_t first = addVertices(v, slotOf, lit && v.materialIds != nullptr);
  return {batch, first};
}

void addIndices(Batch& batch, const std::uint32_t* ids, std::uint32_t count) {
  indices.write(ids, count);
  batch.count += count;
}

void addIndex(Batch& batch, std::uint32_t id) {
  indices.write(id);
  ++batch.count;
}

void joinStrip(Batch& batch, std::uint32_t next) {
  if (batch.count == 0) return;
  const std::uint32_t bridge[] = {indices[indices.used() - 1], next};
  addIndices(batch, bridge, 2);
  // The next strip starts at an even place, so its triangles keep their
  // winding.
  if (batch.count % 2 != 0) addIndex(batch, next);
}

Batch& retainedBatch(const Placing& placing, const CompiledDraw& draw) {
  Key extra = placing.features;
  Batch& batch = startBatch(drawState(placing.texCoord, extra), placing.mode);
  batch.retained = &draw;
  std::uint8_t slotOf[batchMaterials];
  takeMaterials(batch, placing, slotOf);
  return batch;
}

void flushDraws() {
  static std::vector<float> pairPositions, pairNormals;
  const bool pairOpen = pairFirst != noPair;
  if (pairOpen) takeBackFrameVertices(pairFirst, pairPositions, pairNormals);
  if (!batches.empty() && !drawingStopped()) {
    drawFrame({positions, normals, ws, texCoords, colours, shadePositions, clipPositions, indices,
               slots, batches, materialValues});
  }
  positions.restart();
  normals.restart();
  indices.restart();
  slots.restart();
  ws.clear();
  texCoords.clear();
  colours.clear();
  shadePositions.clear();
  clipPositions.clear();
  batches.clear();
  materialValues.clear();
  attributed = 0;
  if (pairOpen) {
    pairFirst = 0;
    positions.write(pairPositions.data(), pairPositions.size());
    normals.write(pairNormals.data(), pairNormals.size());
  }
}

void forgetSentVertices() {
  positions.forgetSent();
  normals.forgetSent();
  indices.forgetSent();
  slots.forgetSent();
}

}  // namespace standin

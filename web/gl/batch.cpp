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
constexpr float origin[4] = {0, 0, 0, 1};

// The one material of the last draw placed, and the slot it took in the
// last batch: the next draw of that material, the state unchanged, takes
// that slot at once.
struct Taken {
  const Batch* batch = nullptr;
  std::uint64_t changes = 0;
  Materials materials;
  std::uint8_t slot = 0;
};
Taken taken;

// A new batch, made where it stays: a batch is large, and a frame makes
// dozens.
Batch& startBatch(const DrawState& state, GLenum mode) {
  taken.batch = nullptr;
  return batches.emplace_back(state, mode, static_cast<std::uint32_t>(indices.used()),
                              materialValues.size());
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
  const bool one = placing.materialCount == 1;
  if (one && taken.batch == &batch && taken.changes == gl.changes &&
      sameBytes(&taken.materials, placing.materials, sizeof(Materials))) {
    slotOf[0] = taken.slot;
    return true;
  }
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
  if (one) taken = {&batch, gl.changes, placing.materials[0], slotOf[0]};
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

namespace {

// Adds vertices to the frame for the last batch placed, their materials'
// slots `slots` (one for all when `slotsVary` is false).
std::uint32_t addVertices(const Vertices& v, const std::uint8_t* slotOf, bool slotsVary) {
  const std::uint32_t first = frameVertexCount();
  positions.write(v.positions, std::size_t(v.count) * 3);
  if (v.normalsVary) {
    normals.write(v.normals, std::size_t(v.count) * 3);
  } else {
    normals.repeat(v.normals, 3, v.count);
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
}

void forgetSentVertices() {
  positions.forgetSent();
  normals.forgetSent();
  indices.forgetSent();
  slots.forgetSent();
}

}  // namespace standin

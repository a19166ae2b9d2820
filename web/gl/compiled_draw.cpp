#include "gl/compiled_draw.h"

#include <algorithm>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/state.h"

namespace standin {

namespace {

std::uint32_t nextName = 1;

// Whether an attribute of two draws is kept alike: given by neither, or
// given by both from their first vertex on.
template <int size>
bool alike(const Attribute<size>& a, const Attribute<size>& b) {
  return a.given == b.given && a.from == 0 && b.from == 0;
}

bool canJoin(const VertexData& into, const VertexData& add) {
  return into.materialChanges.empty() && add.materialChanges.empty() && alike(into.w, add.w) &&
         alike(into.normal, add.normal) && alike(into.colour, add.colour) &&
         alike(into.texCoord, add.texCoord) && alike(into.edgeFlag, add.edgeFlag);
}

template <int size>
void append(Attribute<size>& into, const Attribute<size>& add) {
  into.values.insert(into.values.end(), add.values.begin(), add.values.end());
  into.value = add.value;
}

void append(VertexData& into, const VertexData& add) {
  into.positions.insert(into.positions.end(), add.positions.begin(), add.positions.end());
  append(into.w, add.w);
  append(into.normal, add.normal);
  append(into.colour, add.colour);
  append(into.texCoord, add.texCoord);
  append(into.edgeFlag, add.edgeFlag);
  into.count += add.count;
}

bool isPolygon(GLenum mode) {
  return mode >= GL_TRIANGLES && mode <= GL_POLYGON;
}

// Whether a compiled draw may be drawn from the buffers WebGL keeps: its
// every primitive a polygon drawn filled, shaded smooth or shaded flat in
// one colour, its vertices' values all its own or all GL's current ones.
bool retainable(const CompiledDraw& draw) {
  const VertexData& v = draw.vertices;
  if (!canJoin(v, v)) return false;
  if (gl.polygon.mode[0] != GL_FILL || gl.polygon.mode[1] != GL_FILL) return false;
  if (gl.lighting.shadeModel == GL_FLAT && (gl.lighting.lighting || v.colour.given)) return false;
  return std::all_of(draw.primitives.begin(), draw.primitives.end(),
                     [](const Primitive& p) { return isPolygon(p.mode); });
}

// The ids of a primitive's vertices in the draw.
std::uint32_t idOf(const CompiledDraw& draw, const Primitive& p, std::uint32_t i) {
  return p.indexed ? draw.indices[p.first + i] : p.first + i;
}

// The draw's triangle strips joined into one, keeping each one's winding,
// and its other polygons as triangles, each quad cut from its second
// corner to its fourth and each quad strip's from its first to its
// fourth, as the desktop's renderer cuts a list's.
void makeParts(const CompiledDraw& draw) {
  auto& strip = draw.strip;
  auto& triangles = draw.triangles;
  const auto joinTo = [&](std::uint32_t next) {
    if (strip.empty()) return;
    strip.insert(strip.end(), {strip.back(), next});
    if (strip.size() % 2 != 0) strip.push_back(next);
  };
  for (const Primitive& p : draw.primitives) {
    const auto id = [&](std::uint32_t i) { return idOf(draw, p, i); };
    const std::uint32_t n = p.count;
    switch (p.mode) {
      case GL_TRIANGLE_STRIP:
        if (n < 3) break;
        joinTo(id(0));
        for (std::uint32_t i = 0; i < n; ++i) strip.push_back(id(i));
        break;
      case GL_QUAD_STRIP:
        if (n < 4) break;
        joinTo(id(1));
        strip.push_back(id(1));
        for (std::uint32_t i = 0; i + 1 < n; i += 2) strip.insert(strip.end(), {id(i + 1), id(i)});
        break;
      case GL_TRIANGLES:
        for (std::uint32_t i = 0; i + 2 < n; i += 3)
          triangles.insert(triangles.end(), {id(i), id(i + 1), id(i + 2)});
        break;
      case GL_TRIANGLE_FAN:
      case GL_POLYGON:
        for (std::uint32_t i = 1; i + 1 < n; ++i)
          triangles.insert(triangles.end(), {id(0), id(i), id(i + 1)});
        break;
      case GL_QUADS:
        for (std::uint32_t q = 0; q + 3 < n; q += 4) {
          triangles.insert(triangles.end(), {id(q), id(q + 1), id(q + 3)});
          triangles.insert(triangles.end(), {id(q + 1), id(q + 2), id(q + 3)});
        }
        break;
    }
  }
  draw.partsMade = true;
}

void drawRetained(const CompiledDraw& draw) {
  if (!draw.partsMade) makeParts(draw);
  const VertexData& v = draw.vertices;
  const Materials materials = currentMaterials();
  const float* texCoord = v.texCoord.given ? nullptr : gl.current.texCoord.data();
  Key key;
  if (v.w.given) put(key, keys::homogeneous, 1);
  const Placing placing{GL_TRIANGLES, texCoord, &materials, 1, key};
  const std::pair<GLenum, std::uint32_t> parts[] = {
      {GL_TRIANGLE_STRIP, std::uint32_t(draw.strip.size())},
      {GL_TRIANGLES, std::uint32_t(draw.triangles.size())}};
  std::uint32_t first = 0;
  for (const auto& [mode, count] : parts) {
    if (count == 0) continue;
    Placing part = placing;
    part.mode = mode;
    Batch& batch = retainedBatch(part, draw);
    batch.first = first;
    batch.count = count;
    std::copy(gl.current.texCoord.begin(), gl.current.texCoord.end(), batch.texCoord);
    std::copy(gl.current.colour.begin(), gl.current.colour.end(), batch.colour);
    std::copy(gl.current.normal.begin(), gl.current.normal.end(), batch.normal);
    first += count;
  }
}

// A primitive of the draw through the frame: its vertices from the lowest
// its ids reach to the highest, and its ids counted from there.
void drawThroughFrame(const CompiledDraw& draw, const Primitive& p, const Vertices& all,
                      const MaterialTable& table) {
  if (p.count == 0) return;
  std::uint32_t lowest = idOf(draw, p, 0), highest = lowest;
  for (std::uint32_t i = 1; i < p.count; ++i) {
    lowest = std::min(lowest, idOf(draw, p, i));
    highest = std::max(highest, idOf(draw, p, i));
  }
  Vertices v = all;
  v.count = highest - lowest + 1;
  v.positions += std::size_t(lowest) * 3;
  const auto skip = [&](const float*& values, bool vary, int size) {
    if (vary) values += std::size_t(lowest) * size;
  };
  skip(v.ws, v.wsVary, 1);
  skip(v.normals, v.normalsVary, 3);
  skip(v.texCoords, v.texCoordsVary, 4);
  skip(v.colours, v.coloursVary, 4);
  skip(v.edgeFlags, v.edgeFlagsVary, 1);
  if (v.materialIds != nullptr) v.materialIds = table.ids.data() + lowest;
  static std::vector<std::uint32_t> ids;
  ids.resize(p.count);
  for (std::uint32_t i = 0; i < p.count; ++i) ids[i] = idOf(draw, p, i) - lowest;
  drawVertices(p.mode, v, ids.data(), p.count, Source::list);
}

// After a compiled draw, GL's current values are those it gave last.
void leaveCurrent(const VertexData& v) {
  if (v.normal.given) gl.current.normal = {v.normal.value[0], v.normal.value[1], v.normal.value[2]};
  if (v.colour.given) {
    currentColourIs({v.colour.value[0], v.colour.value[1], v.colour.value[2], v.colour.value[3]});
  }
  if (v.texCoord.given) {
    gl.current.texCoord = {v.texCoord.value[0], v.texCoord.value[1], v.texCoord.value[2],
                           v.texCoord.value[3]};
  }
  if (v.edgeFlag.given) gl.current.edgeFlag = v.edgeFlag.value[0] != 0.0f;
  for (const MaterialChange& change : v.materialChanges) {
    applyMaterial(gl.lighting.material, change);
  }
  if (!v.materialChanges.empty()) stateChanged();
}

}  // namespace

CompiledDraw::CompiledDraw(VertexData&& v) : vertices(std::move(v)), name(nextName++) {}

CompiledDraw::~CompiledDraw() {
  device::forgetDraw(name);
}

Vertices verticesOf(const VertexData& d, const Materials& base, MaterialTable& table) {
  static const float one = 1.0f;
  static float edge = 1.0f;
  edge = gl.current.edgeFlag ? 1.0f : 0.0f;
  Vertices v{};
  v.count = d.count;
  v.positions = d.positions.data();
  v.wsVary = d.w.given;
  v.ws = d.w.given ? d.w.values.data() : &one;
  v.normalsVary = d.normal.given;
  v.normals = d.normal.given ? d.normal.values.data() : gl.current.normal.data();
  v.coloursVary = d.colour.given;
  v.colours = d.colour.given ? d.colour.values.data() : gl.current.colour.data();
  v.texCoordsVary = d.texCoord.given;
  v.texCoords = d.texCoord.given ? d.texCoord.values.data() : gl.current.texCoord.data();
  v.edgeFlagsVary = d.edgeFlag.given;
  v.edgeFlags = d.edgeFlag.given ? d.edgeFlag.values.data() : &edge;
  table.materials.assign(1, base);
  table.ids.clear();
  if (!d.materialChanges.empty()) {
    table.ids.resize(d.count);
    std::size_t next = 0;
    for (std::uint32_t i = 0; i < d.count; ++i) {
      bool changed = false;
      for (; next < d.materialChanges.size() && d.materialChanges[next].vertex <= i; ++next) {
        if (!changed) table.materials.push_back(table.materials.back());
        changed = true;
        Materials& m = table.materials.back();
        applyMaterial(m.face, d.materialChanges[next]);
      }
      table.ids[i] = std::uint8_t(std::min<std::size_t>(table.materials.size() - 1, 255));
    }
    v.materialIds = table.ids.data();
  }
  v.materials = table.materials.data();
  v.materialCount = int(table.materials.size());
  return v;
}

void drawPair(const VertexData& pair, const Materials& atBegin) {
  static MaterialTable table;
  const Vertices v = verticesOf(pair, atBegin, table);
  drawVertices(pair.mode, v, nullptr, 0, Source::immediate);
}

void drawPairOf(const VertexData& pair, const Materials& atBegin, const float* positions,
                const float* normals) {
  static MaterialTable table;
  Vertices v = verticesOf(pair, atBegin, table);
  v.positions = positions;
  v.normals = normals;
  v.normalsVary = true;
  drawVertices(pair.mode, v, nullptr, 0, Source::immediate);
}

bool joinable(const CompiledDraw& draw, const VertexData& add) {
  return canJoin(draw.vertices, add);
}

void extendDraw(CompiledDraw& draw, const VertexData& add) {
  append(draw.vertices, add);
}

void keepPair(VertexData&& pair) {
  const Primitive primitive{pair.mode, 0, pair.count, false};
  if (const auto last = lists::lastDraw(); last && canJoin(last->vertices, pair)) {
    Primitive joined = primitive;
    joined.first = last->vertices.count;
    append(last->vertices, pair);
    last->primitives.push_back(joined);
    return;
  }
  auto draw = std::make_shared<CompiledDraw>(std::move(pair));
  draw->primitives.push_back(primitive);
  lists::keepDraw(draw);
}

void runCompiled(const CompiledDraw& draw, bool livesOn) {
  // A list called between glBegin and glEnd: its own glBegin is GL's error.
  if (gl.inBeginEnd) return setError(GL_INVALID_OPERATION);
  if (!drawingStopped() && !fragmentsRefused()) {
    if (livesOn && retainable(draw)) {
      drawRetained(draw);
    } else {
      static MaterialTable table;
      // Vertices before an attribute's first value in the list take the
      // value current now.
      VertexData inherited;
      const VertexData* data = &draw.vertices;
      const VertexData& v = draw.vertices;
      if (v.w.from || v.normal.from || v.colour.from || v.texCoord.from || v.edgeFlag.from) {
        inherited = v;
        inheritCurrent(inherited);
        data = &inherited;
      }
      const Vertices all = verticesOf(*data, currentMaterials(), table);
      for (const Primitive& p : draw.primitives) drawThroughFrame(draw, p, all, table);
    }
  }
  leaveCurrent(draw.vertices);
}

}  // namespace standin

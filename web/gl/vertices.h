#pragma once

// The vertices of one draw as the program gave them, between glBegin and
// glEnd or from its arrays: each attribute either one value for every
// vertex or one a vertex. A display list keeps a draw's vertices so; a
// vertex of a compiled draw that came before the first value the list
// gave an attribute takes the value current when the list is called.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "gl/state.h"

namespace standin {

// A material for both faces, as a vertex is lit with it.
struct Materials {
  Material face[2];  // front, back
};

// One attribute of `size` floats: one value for all the vertices, or, once
// `given` from vertex `from` on, one a vertex, the vertices before `from`
// holding the value they inherit.
template <int size>
struct Attribute {
  std::vector<float> values;        // one a vertex once given
  std::array<float, size> value{};  // the value set last
  bool given = false;               // set since the draw began
  std::uint32_t from = 0;           // the first vertex with a value of the draw's own

  void clear() {
    values.clear();
    given = false;
    from = 0;
  }
  // The attribute is set to `v` before vertex `count`.
  void set(const float* v, std::uint32_t count) {
    if (!given) {
      given = true;
      from = count;
      values.resize(std::size_t(count) * size);
    }
    std::copy(v, v + size, value.begin());
  }
  // Vertex `count` is added: it takes the value set last. Most attributes
  // of most draws are never given, and their vertices cost no more than
  // the test.
  void add() {
    if (!given) return;
    const std::size_t at = values.size();
    values.resize(at + size);
    std::copy_n(value.data(), size, values.data() + at);
  }
  // The vertices before `from` take `inherited`.
  void inherit(const float* inherited) {
    for (std::uint32_t i = 0; i < from; ++i) {
      std::copy(inherited, inherited + size, values.begin() + std::size_t(i) * size);
    }
  }
};

// A glMaterial between glBegin and glEnd, before the vertex `vertex`.
struct MaterialChange {
  std::uint32_t vertex;
  GLenum face, pname;
  float values[4];
};

// Makes the change to the front and back materials `m`.
void applyMaterial(Material (&m)[2], const MaterialChange& change);

// A draw's vertices, and the materials they are lit with when glMaterial
// came between glBegin and glEnd.
struct VertexData {
  GLenum mode = GL_TRIANGLES;
  std::uint32_t count = 0;
  std::vector<float> positions;  // x, y, z a vertex
  Attribute<1> w;
  Attribute<3> normal;
  Attribute<4> colour;
  Attribute<4> texCoord;
  Attribute<1> edgeFlag;
  // The glMaterial calls between glBegin and glEnd, in their order.
  std::vector<MaterialChange> materialChanges;

  void clear(GLenum drawMode) {
    mode = drawMode;
    count = 0;
    positions.clear();
    w.clear();
    normal.clear();
    colour.clear();
    texCoord.clear();
    edgeFlag.clear();
    materialChanges.clear();
  }
};

// Vertices as the frame takes them: positions, and each other attribute
// one value a vertex (where it varies) or one for all.
struct Vertices {
  std::uint32_t count;
  const float* positions;  // three floats a vertex
  const float* ws;
  bool wsVary;
  const float* normals;
  bool normalsVary;
  const float* texCoords;  // four floats
  bool texCoordsVary;
  const float* colours;  // four floats
  bool coloursVary;
  const float* edgeFlags;
  bool edgeFlagsVary;
  const std::uint8_t* materialIds;  // null: all lit with `materials[0]`
  const Materials* materials;
  int materialCount;
  // Where the stand-in makes vertices of its own: each one's place in
  // clip space, and where a flat-shaded one is lit, four floats each; null
  // where the program's vertices are drawn.
  const float* clipPositions = nullptr;
  const float* shadePositions = nullptr;
};

// Where a draw's vertices came from, which decides along which diagonal
// the desktop's renderer cuts a quad.
enum class Source { immediate, arrays, indexedArrays, list };

// Draws `vertices` as GL's primitive `mode`, one after another, or through
// `count` indices into them where `indices` is not null.
void drawVertices(GLenum mode, const Vertices& vertices, const std::uint32_t* indices,
                  std::uint32_t count, Source source);

// The current state's materials, as a draw without glMaterial of its own
// is lit with.
Materials currentMaterials();

// The vertices of `v` that came before an attribute's first value in it
// take GL's current value.
void inheritCurrent(VertexData& v);

// Sets the current colour, which the material follows where colour
// material is on.
void currentColourIs(const Vec4& colour);

// Keeps a glMaterial between glBegin and glEnd with the pair's vertices;
// false when no pair is being gathered.
bool materialBetweenBeginAndEnd(GLenum face, GLenum pname, const float* params);

}  // namespace standin

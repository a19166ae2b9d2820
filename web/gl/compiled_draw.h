#pragma once

// A display list's draws, kept as Mesa's vbo_save keeps them: the
// vertices the program gave, as it gave them then, and the primitives
// through them. Draws compiled one after another with nothing between them
// go into one, as do draws from the same client arrays, which share the
// vertices they both reach. When the list is called, a compiled draw whose
// every primitive is a polygon drawn filled and smooth is drawn from
// buffers WebGL keeps from its first call on; any other is drawn again
// from its vertices, as the program's own draws are.

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "gl/vertices.h"

namespace standin {

struct Primitive {
  GLenum mode;
  std::uint32_t first, count;  // of the draw's vertices, or of its indices where `indexed`
  bool indexed;
};

// What client arrays a compiled draw's vertices were read from, and which
// of them: a draw from the same arrays shares them.
struct ArrayRun {
  std::vector<std::uint8_t> layout;   // the arrays' pointers, types, sizes and strides
  std::uint32_t first = 0, last = 0;  // the arrays' vertices first to last, not included
  std::uint32_t at = 0;               // where the first of them is in the draw
};

struct CompiledDraw {
  explicit CompiledDraw(VertexData&& vertices);
  ~CompiledDraw();
  CompiledDraw(const CompiledDraw&) = delete;
  CompiledDraw& operator=(const CompiledDraw&) = delete;

  VertexData vertices;
  std::vector<Primitive> primitives;
  std::vector<std::uint32_t> indices;
  ArrayRun run;
  std::uint32_t name;  // names its buffers in WebGL

  // What WebGL draws of it from the buffers it keeps: the triangle strips
  // joined, and the rest as triangles; made at its first such call.
  mutable bool partsMade = false;
  mutable std::vector<std::uint32_t> strip, triangles;
};

// Draws a compiled draw with the state as it is now, and leaves GL's
// current values as the draw's last ones. A draw that does not live on,
// one compiled and run at once, is not drawn from buffers of its own.
void runCompiled(const CompiledDraw& draw, bool livesOn = true);

// Whether the vertices `add` may join the draw's, and adds them at its end.
bool joinable(const CompiledDraw& draw, const VertexData& add);
void extendDraw(CompiledDraw& draw, const VertexData& add);

// Keeps a pair compiled between glBegin and glEnd in the list being made.
void keepPair(VertexData&& pair);

// Draws a pair gathered between glBegin and glEnd, each vertex's material
// `atBegin` changed as the pair's glMaterial calls change it.
void drawPair(const VertexData& pair, const Materials& atBegin);
// The same for a pair whose positions and normals were gathered apart,
// three floats a vertex each.
void drawPairOf(const VertexData& pair, const Materials& atBegin, const float* positions,
                const float* normals);

// The vertices of a draw as the frame takes them, with the attributes the
// draw does not give at their current values, and the materials table of
// its material changes.
struct MaterialTable {
  std::vector<Materials> materials;
  std::vector<std::uint8_t> ids;  // each vertex's
};
Vertices verticesOf(const VertexData& data, const Materials& base, MaterialTable& table);

}  // namespace standin

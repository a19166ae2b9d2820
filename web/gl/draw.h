#pragma once

// The frame's gathered draws handed to WebGL: the vertices, their texture
// coordinates and colours where they are not all the same, and the
// indices, each sent only when it differs from what WebGL holds from the
// frame before; then each batch drawn with its program and uniforms. The
// vertex layout has its one home here.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/batch.h"
#include "gl/draw_state.h"

namespace standin {

// A run of indices drawn with one state, as GL_TRIANGLES or GL_TRIANGLE_STRIP.
struct Batch {
  DrawState state;
  GLenum mode;
  std::uint32_t first;
  std::uint32_t count;
};

struct Frame {
  const std::vector<float>& vertices;  // floatsPerVertex a vertex
  const VertexAttribute<2>& texCoords;
  const VertexAttribute<4>& colours;
  const std::vector<std::uint32_t>& indices;
  const std::vector<Batch>& batches;
};

void drawFrame(const Frame& frame);

// The programs' uniforms are gone with the context.
void forgetUniforms();

}  // namespace standin

#pragma once

// The frame's gathered draws handed to WebGL: the vertices, their texture
// coordinates where they are not all the same, and the indices, each sent
// only when it differs from what WebGL holds from the frame before; then
// each batch drawn with its program and uniforms.

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

void drawBatches(const std::vector<float>& vertices, const std::vector<float>& texCoords,
                 const std::vector<std::uint32_t>& indices, const std::vector<Batch>& batches);

}  // namespace standin

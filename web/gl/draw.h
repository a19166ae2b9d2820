#pragma once

// The frame's gathered draws handed to WebGL: the span of the positions,
// normals and indices that changed since they were last sent, the other
// attributes where they are not all the same, then each batch drawn with
// its program, uniforms and switches. The vertex layout has its one home
// here.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/batch.h"

namespace standin {

struct Frame {
  KeptArray<float>& positions;
  KeptArray<float>& normals;
  const VertexAttribute<1>& ws;
  const VertexAttribute<4>& texCoords;
  const VertexAttribute<4>& colours;
  const VertexAttribute<4>& shadePositions;
  const VertexAttribute<4>& clipPositions;
  KeptArray<std::uint32_t>& indices;
  KeptArray<std::uint8_t>& slots;  // each vertex's material in its batch
  const std::vector<Batch>& batches;
  const std::vector<float>& materials;  // the batches', one after another
};

void drawFrame(const Frame& frame);

}  // namespace standin

#pragma once

// The frame's gathered draws handed to WebGL: the span of the positions,
// normals and indices that changed since they were last sent, the texture
// coordinates and colours where they are not all the same, then each batch
// drawn with its program and uniforms. The vertex layout has its one home
// here.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/batch.h"
#include "gl/draw_state.h"

namespace standin {

// How many materials one batch may hold.
constexpr int batchMaterials = 8;

// A run of indices drawn with one state, as GL_TRIANGLES or
// GL_TRIANGLE_STRIP: the frame's own 32-bit ones, or where `shortIds`, the
// 16-bit ones a program gave, counted from the frame's vertex `base`; and
// the materials its vertices have, each vertex the one its slot names.
struct Batch {
  DrawState state;
  GLenum mode;
  bool shortIds;
  std::uint32_t base;
  std::uint32_t first;
  std::uint32_t count;
  int materials;
  DrawMaterial material[batchMaterials];
  // A display list's batch draws from the list's own buffers, with this
  // texture coordinate and colour; 0 when it draws from the frame's.
  GLuint list;
  float texCoord[2];
  float colour[4];
};

struct Frame {
  KeptArray<float>& positions;
  KeptArray<float>& normals;
  const VertexAttribute<2>& texCoords;
  const VertexAttribute<4>& colours;
  KeptArray<std::uint32_t>& indices;
  KeptArray<std::uint16_t>& shortIndices;
  KeptArray<std::uint8_t>& slots;  // each vertex's material in its batch
  const std::vector<Batch>& batches;
};

void drawFrame(const Frame& frame);

// What WebGL held for the draws, the programs' uniforms and the vertex
// inputs, is gone with the context.
void forgetInputs();

}  // namespace standin

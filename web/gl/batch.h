#pragma once

// Gathers a frame's draws, as Mesa's vbo module does: every vertex in its
// object coordinates in one array (and its texture coordinate in another),
// every primitive as indices into them, and consecutive draws that share
// their state as one batch. The frame goes to
// WebGL when something outside the draws needs it: a clear, a change of
// viewport, depth test or texture image, or the end of the frame.

#include <GL/gl.h>

#include <cstdint>

namespace standin {

// Each vertex: its object position and normal.
constexpr int floatsPerVertex = 6;

// Adds a vertex: its position, normal and texture coordinate; returns its
// place in the frame.
std::uint32_t addVertex(const float* position, const float* normal, const float* texCoord);

// Where `count` vertices added at once are to be written: their positions
// and normals (floatsPerVertex floats each), and their texture coordinates
// (two floats each).
struct NewVertices {
  float* attributes;
  float* texCoords;
};
NewVertices addVertices(std::uint32_t count);

// How many vertices the frame holds.
std::uint32_t frameVertexCount();

// Draws a primitive of GL's kind `mode` through the vertices `ids`, with the
// state as it is now.
void drawPrimitive(GLenum mode, const std::uint32_t* ids, std::uint32_t count);

// Hands what was gathered to WebGL, and starts gathering afresh.
void flushDraws();

// How many times the frame was flushed: vertices added since the count
// last changed are still in the frame.
std::uint64_t flushCount();

}  // namespace standin

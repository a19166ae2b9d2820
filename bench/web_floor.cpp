// The floor of the page's frame for the benchmark: the stand-in gathers,
// uploads and draws nothing, so that a frame is the program, GLU and GLUT's
// shapes alone, with GL's state kept as ever. Linked in place of web/gl's
// primitives.cpp, batch.cpp, draw.cpp and made_vertices.cpp.

#include <GL/gl.h>

#include "gl/batch.h"
#include "gl/made_vertices.h"

namespace standin {

void drawVertices(GLenum, const Vertices&, const std::uint32_t*, std::uint32_t, Source) {}

Placed place(const Placing&, const Vertices&) {
  static Batch batch;
  return {&batch, 0};
}

void addIndices(Batch&, const std::uint32_t*, std::uint32_t) {}

void addIndex(Batch&, std::uint32_t) {}

void joinStrip(Batch&, std::uint32_t) {}

std::uint32_t frameVertexCount() {
  return 0;
}

const float* framePosition(std::uint32_t) {
  static const float origin[3] = {0, 0, 0};
  return origin;
}

Batch& retainedBatch(const Placing&, const CompiledDraw&) {
  static Batch batch;
  return batch;
}

void flushDraws() {}

void forgetSentVertices() {}

// What bitmaps and pixels make.
Vec4 fromWindow(const Viewport&, lines::Point, const Vec4& at) {
  return at;
}

void MadeVertices::add(const Values&, const Values&, const Vec4*) {}

void drawMade(const Vertices&, const MadeVertices&, Key) {}

}  // namespace standin

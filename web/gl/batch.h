#pragma once

// Gathers a frame's draws, as Mesa's vbo module does: every vertex in its
// object coordinates in one array, its texture coordinate and colour
// beside it, every primitive as indices into them, and consecutive draws
// that share their state as one batch. The frame goes to WebGL when
// something outside the draws needs it: a clear, a change of viewport,
// depth test or texture image, or the end of the frame.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace standin {

// Each vertex: its object position and normal.
constexpr int floatsPerVertex = 6;

// A per-vertex attribute of `size` floats, kept as one value for as long
// as every vertex of the frame has the same, as the texture coordinate and
// the colour mostly are.
template <int size>
class VertexAttribute {
 public:
  void add(const float* value) {
    if (values_.empty()) {
      if (count_ == 0) std::copy(value, value + size, common_.begin());
      if (std::equal(common_.begin(), common_.end(), value)) {
        ++count_;
        return;
      }
      for (std::uint32_t i = 0; i < count_; ++i) {
        values_.insert(values_.end(), common_.begin(), common_.end());
      }
    }
    values_.insert(values_.end(), value, value + size);
    ++count_;
  }
  // Whether the vertices have different values, each its own.
  bool varies() const { return !values_.empty(); }
  const float* of(std::uint32_t vertex) const {
    return varies() ? &values_[std::size_t(vertex) * size] : common_.data();
  }
  const std::vector<float>& values() const { return values_; }
  void clear() {
    values_.clear();
    count_ = 0;
  }

 private:
  std::vector<float> values_;  // one a vertex, once two differ
  std::array<float, size> common_{};
  std::uint32_t count_ = 0;
};

// A vertex as the program gives it: where it is, and the normal, texture
// coordinate and colour it has.
struct Vertex {
  const float* position;
  const float* normal;
  const float* texCoord;
  const float* colour;
};

// Adds a vertex; returns its place in the frame.
std::uint32_t addVertex(const Vertex& vertex);

// How many vertices the frame holds.
std::uint32_t frameVertexCount();

// Whether the frame's vertex `id` is the same as `vertex`.
bool sameVertex(std::uint32_t id, const Vertex& vertex);

// Draws a primitive of GL's kind `mode` through the vertices `ids`, with the
// state as it is now; `indexed` when the program gave indices.
void drawPrimitive(GLenum mode, const std::uint32_t* ids, std::uint32_t count,
                   bool indexed = false);

// Hands what was gathered to WebGL, and starts gathering afresh.
void flushDraws();

// How many times the frame was flushed: vertices added since the count
// last changed are still in the frame.
std::uint64_t flushCount();

}  // namespace standin

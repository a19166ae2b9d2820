#pragma once

// Gathers a frame's draws, as Mesa's vbo module does: every vertex's
// position and normal in object coordinates, its other attributes beside
// them, every primitive as indices into them, and consecutive draws that
// share their state as one batch. The frame goes to WebGL when something
// outside the draws needs it: a clear, a change of viewport or of a
// texture's image, a read of the pixels, or the end of the frame.
//
// The positions, normals and indices are kept from one frame to the next
// and written over in place: a value written over the same value is no
// change, and WebGL is sent only the span that changed. A program that
// draws the same scene again, as this one does, sends nothing again.

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gl/draw_state.h"
#include "gl/same_bytes.h"
#include "gl/vertices.h"

namespace standin {

// An array the frame writes from its start on, over what the frame before
// left in it. It knows the span written with other values since it was
// last sent.
template <typename T>
class KeptArray {
 public:
  // Writes `count` values after those written so far in this frame. Values
  // are the same when their bits are.
  void write(const T* from, std::size_t count) {
    const std::size_t at = used_;
    used_ += count;
    if (used_ > values_.size()) values_.resize(used_);
    T* to = values_.data() + at;
    if (sameBytes(to, from, count * sizeof(T))) return;
    std::size_t same = 0;
    while (same < count && std::memcmp(to + same, from + same, sizeof(T)) == 0) ++same;
    std::copy(from + same, from + count, to + same);
    changed(at + same, used_);
  }
  void write(T value) {
    if (used_ < values_.size() && values_[used_] == value) {
      ++used_;
      return;
    }
    write(&value, 1);
  }
  // Writes the `size` values at `value` `times` over, as one write.
  void repeat(const T* value, std::size_t size, std::size_t times) {
    const std::size_t at = used_;
    used_ += size * times;
    if (used_ > values_.size()) values_.resize(used_);
    T* to = values_.data() + at;
    std::size_t first = SIZE_MAX;
    for (std::size_t i = 0; i < size * times; ++i) {
      const T& v = value[i % size];
      if (first == SIZE_MAX && std::memcmp(to + i, &v, sizeof(T)) == 0) continue;
      if (first == SIZE_MAX) first = i;
      to[i] = v;
    }
    if (first != SIZE_MAX) changed(at + first, used_);
  }
  // Writes `value` `count` times, as one write.
  void fill(T value, std::size_t count) {
    const std::size_t at = used_;
    used_ += count;
    if (used_ > values_.size()) values_.resize(used_);
    T* to = values_.data() + at;
    // Compared a run at a time against a run of the value.
    constexpr std::size_t run = 64;
    T runOf[run];
    std::fill(runOf, runOf + run, value);
    std::size_t same = 0;
    while (same + run <= count && sameBytes(to + same, runOf, sizeof runOf)) same += run;
    while (same < count && std::memcmp(to + same, &value, sizeof(T)) == 0) ++same;
    if (same == count) return;
    std::fill(to + same, to + count, value);
    changed(at + same, used_);
  }
  const T* data() const { return values_.data(); }
  const T& operator[](std::size_t at) const { return values_[at]; }
  // How many values the frame has written, and how many the array holds.
  std::size_t used() const { return used_; }
  std::size_t held() const { return values_.size(); }
  // The span written with other values since the last `sent`; empty when
  // `changedFrom` is not below `changedTo`.
  std::size_t changedFrom() const { return from_; }
  std::size_t changedTo() const { return to_; }
  void sent() {
    from_ = SIZE_MAX;
    to_ = 0;
  }
  // Everything counts as changed, as after a lost context.
  void forgetSent() { changed(0, values_.size()); }
  // The next frame writes from the start again.
  void restart() { used_ = 0; }

 private:
  void changed(std::size_t from, std::size_t to) {
    from_ = std::min(from_, from);
    to_ = std::max(to_, to);
  }
  std::vector<T> values_;
  std::size_t used_ = 0;
  std::size_t from_ = SIZE_MAX, to_ = 0;
};

// A per-vertex attribute of `size` floats, kept as one value for as long
// as every vertex of the frame has the same, as the texture coordinate and
// the colour mostly are.
template <int size>
class VertexAttribute {
 public:
  void add(const float* value, std::uint32_t count = 1) {
    if (values_.empty()) {
      if (count_ == 0) std::copy(value, value + size, common_.begin());
      if (std::equal(common_.begin(), common_.end(), value)) {
        count_ += count;
        return;
      }
      for (std::uint32_t i = 0; i < count_; ++i) {
        values_.insert(values_.end(), common_.begin(), common_.end());
      }
    }
    for (std::uint32_t i = 0; i < count; ++i) values_.insert(values_.end(), value, value + size);
    count_ += count;
  }
  // Adds `count` values, one after another from `values`.
  void addEach(const float* values, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) add(values + std::size_t(i) * size);
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

// How many materials one batch may hold.
constexpr int batchMaterials = 8;

struct CompiledDraw;

// A run of indices drawn with one state, as GL_TRIANGLES,
// GL_TRIANGLE_STRIP or GL_LINES, into the frame's vertices or,
// where `retained`, into a compiled draw's own; and the materials its
// vertices have, each vertex the one its slot names, kept in the frame's
// materials from `materialAt` on.
struct Batch {
  Batch() = default;
  // Made in place with its state, rather than made empty and written over.
  Batch(const DrawState& drawState, GLenum drawMode, std::uint32_t firstIndex,
        std::size_t firstMaterial)
      : state(drawState), mode(drawMode), first(firstIndex), materialAt(firstMaterial) {}

  DrawState state{};
  GLenum mode = GL_TRIANGLES;
  std::uint32_t first = 0;
  std::uint32_t count = 0;
  int materials = 0;
  int materialVectors = 0;  // each material's, four floats each
  std::size_t materialAt = 0;
  // A compiled draw's batch draws from the draw's own buffers, with these
  // values for the attributes it does not give.
  const CompiledDraw* retained = nullptr;
  float texCoord[4] = {};
  float colour[4] = {};
  float normal[3] = {};
};

// What a draw's vertices are to be drawn as, which decides the batch they
// go to.
struct Placing {
  GLenum mode;            // GL_TRIANGLES, GL_TRIANGLE_STRIP or GL_LINES
  const float* texCoord;  // every vertex's, when they share one; else null
  const Materials* materials;
  int materialCount;  // how many of `materials` the vertices use
  Key features;       // what the draw adds to the state's key (draw_state.h)
};

// Places a draw in the last batch, or a new one, and adds its vertices to
// the frame, each given the slot its material has in the batch; returns
// the batch and the frame's id of the first vertex.
struct Placed {
  Batch* batch;
  std::uint32_t first;
};
Placed place(const Placing& placing, const Vertices& vertices);

// Adds indices to the batch.
void addIndices(Batch& batch, const std::uint32_t* ids, std::uint32_t count);
void addIndex(Batch& batch, std::uint32_t id);
// Joins a strip to the strip before it in the batch, by repeated indices:
// the triangles across the join have no area and draw nothing, and the
// next strip's keep their winding.
void joinStrip(Batch& batch, std::uint32_t next);

// How many vertices the frame holds, and what it holds of one.
std::uint32_t frameVertexCount();
const float* framePosition(std::uint32_t id);

// A batch of its own for a compiled draw, drawn from its buffers.
Batch& retainedBatch(const Placing& placing, const CompiledDraw& draw);

// Hands what was gathered to WebGL, and starts gathering afresh.
void flushDraws();

// What WebGL held is gone: everything kept is sent again.
void forgetSentVertices();

}  // namespace standin

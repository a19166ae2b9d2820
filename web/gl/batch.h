#pragma once

// Gathers a frame's draws, as Mesa's vbo module does: every vertex's
// position and normal in object coordinates, its texture coordinate and
// colour beside them, every primitive as indices into them, and
// consecutive draws that share their state as one batch. The frame goes
// to WebGL when something outside the draws needs it: a clear, a change
// of viewport, depth test or texture image, or the end of the frame.
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

#include "gl/same_bytes.h"

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
  // Makes room for `count` values after those written so far in this
  // frame, to be set later.
  void extend(std::size_t count) {
    used_ += count;
    if (used_ > values_.size()) values_.resize(used_);
  }
  // Sets the `count` values from `at`, written this frame, to `value`.
  void setSame(std::size_t at, T value, std::size_t count) {
    T* to = values_.data() + at;
    for (std::size_t i = 0; i < count; ++i) {
      if (to[i] == value) continue;
      to[i] = value;
      changed(at + i, at + i + 1);
    }
  }
  // Whether the `count` values from `at` are those of `from`.
  bool holds(std::size_t at, const T* from, std::size_t count) const {
    return sameBytes(values_.data() + at, from, count * sizeof(T));
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

// Vertices as the program gives them: `count` positions and normals of
// three floats each, one after another, or one normal for all where
// `normalsVary` is false; texture coordinates of two floats and colours of
// four, each vertex's or one for all, alike.
struct Vertices {
  std::uint32_t count;
  const float* positions;
  const float* normals;
  bool normalsVary;
  const float* texCoords;
  bool texCoordsVary;
  const float* colours;
  bool coloursVary;
};

// Adds the vertices to the frame; returns the place of the first. Their
// material slots are 0, or where `slotsLater`, set when their primitive
// is placed in a batch.
std::uint32_t addVertices(const Vertices& vertices, bool slotsLater = false);

// Whether the frame's vertices from `at` on are these.
bool sameVertices(std::uint32_t at, const Vertices& vertices);

// How many vertices the frame holds.
std::uint32_t frameVertexCount();

// The ids of a primitive's vertices in the frame: `offset` plus each of
// `count` indices of GL's `type` (GL_UNSIGNED_BYTE, _SHORT or _INT).
struct Ids {
  const void* indices;
  GLenum type;
  std::uint32_t count;
  std::int64_t offset;
};

// Where a primitive's vertices come from: glBegin and glEnd, which gave
// the vertices `ids` name to this primitive alone, or the client arrays,
// through indices the program gave or not.
enum class Source { immediate, arrays, indexedArrays };

// Draws a primitive of GL's kind `mode` through the vertices `ids`, with
// the state as it is now.
void drawPrimitive(GLenum mode, const Ids& ids, Source source);

// Draws a triangle strip, or triangles, through the 16-bit `indices` a
// program gave, counted from the frame's vertex `base`: they go to WebGL
// as they are, compared a chunk at a time, rather than each made one of
// the frame's own.
void drawShortIds(GLenum mode, const GLushort* indices, std::uint32_t count, std::uint32_t base);

// Hands what was gathered to WebGL, and starts gathering afresh.
void flushDraws();

// Gathering starts afresh, as at a flush, or where a display list's
// compiling starts or ends.
void startGathering();

// How many times gathering started afresh: vertices added since the count
// last changed are still where they were put.
std::uint64_t flushCount();

namespace lists {
struct List;
}

// Draws a display list's draws with the state as it is now.
void drawList(GLuint name, const lists::List& list);

// What WebGL held is gone: everything kept is sent again.
void forgetSentVertices();

}  // namespace standin

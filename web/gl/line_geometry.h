#pragma once

// Lines as the desktop's renderer makes them into pixels, worked out on
// the CPU: the quad llvmpipe fills for a line of a given width, its ends
// moved as the diamond-exit rule moves them, and the pieces a stipple
// pattern cuts a line into. Plain arithmetic in window coordinates with
// the renderer's own orientation (y down, rows from the window's top), so
// that each rounding and each tie falls as it does there; no GL context
// is needed.

#include <cstdint>
#include <vector>

namespace standin::lines {

// A point in the renderer's window coordinates: x to the right, y down
// from the window's top edge, pixel centres at halves.
struct Point {
  float x, y;
};

// The four corners of the quad a line from `a` to `b` of `width` fills,
// in order round it, or false where the line has no length. Corners 0 and
// 3 belong to the end `start` names (0 for `a`, 1 for `b`), 1 and 2 to
// the other, whose attributes they take.
struct Quad {
  Point corner[4];
  int start;
  bool across;  // mostly across, x the major axis; else mostly down
};
bool quadOf(Point a, Point b, float width, Quad& quad);

// The pixels a point of `size` covers where it is not smooth, by GL's
// rule for such points as the renderer follows it: the columns from
// `left` and the rows from `top` (of the renderer's window), `size`
// rounded of each.
struct PointPixels {
  int left, top, size;
};
PointPixels pixelsOf(Point p, float size);

// The pieces of a line of a stipple pattern: each the part of the line
// from `from` to `to` (0 at `a`, 1 at `b`).
struct Piece {
  float from, to;
};

// The stipple's counter, in pixels along lines drawn since it was reset:
// GL resets it at each independent line and at the start of each strip.
struct Stipple {
  std::uint16_t pattern;
  int factor;
  float counter = 0;
};

// Cuts the line from `a` to `b` into the pieces `stipple` draws, and moves
// its counter on by the line's length.
void cut(Point a, Point b, Stipple& stipple, std::vector<Piece>& pieces);

}  // namespace standin::lines

#include "gl/line_geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace standin::lines {

namespace {

// llvmpipe's subpixel grid: 1/256 of a pixel.
constexpr float fixedOne = 256.0f;

// Rounded half away from zero, as the renderer rounds.
float rounded(float a) {
  return a >= 0.0f ? std::floor(a + 0.5f) : std::ceil(a - 0.5f);
}

float snap(float a) {
  return rounded(fixedOne * a) / fixedOne;
}

bool sign(float x) {
  return x >= 0;
}

float fraction(float f) {
  return f - std::floor(f);
}

// The window the desktop draws into has its first row at the top, for
// which its renderer decides ties at an edge by the bottom edge rule.
constexpr bool bottomEdgeRule = true;

// Which of a line's ends the diamond-exit rule draws, and how far each end
// is moved to draw it or not, along a line mostly across (x-major) or
// mostly down (y-major).
struct Ends {
  Point start{0, 0}, end{0, 0};
};

Ends acrossEnds(Point& v1, Point& v2, bool& swapped) {
  const float dx = v1.x - v2.x, dy = v1.y - v2.y;
  const float x1diff = v1.x - std::floor(v1.x) - 0.5f;
  const float y1diff = v1.y - std::floor(v1.y) - 0.5f;
  const float x2diff = v2.x - std::floor(v2.x) - 0.5f;
  float y2diff = v2.y - std::floor(v2.y) - 0.5f;
  const float dydx = dy / dx;
  if (y2diff == -0.5f && dy < 0.0f) y2diff = 0.5f;
  bool drawStart, drawEnd;
  if (std::fabs(x1diff) + std::fabs(y1diff) < 0.5f) {
    drawStart = true;
  } else if (sign(x1diff) == sign(-dx)) {
    drawStart = false;
  } else if (sign(-y1diff) != sign(dy)) {
    drawStart = true;
  } else {
    const float y = fraction(v1.y) + x1diff * dydx;
    drawStart = y < 1.0f && y > 0.0f;
  }
  if (std::fabs(x2diff) + std::fabs(y2diff) < 0.5f) {
    drawEnd = false;
  } else if (sign(x2diff) != sign(-dx)) {
    drawEnd = false;
  } else if (sign(-y2diff) == sign(dy)) {
    drawEnd = true;
  } else {
    const float y = fraction(v2.y) + x2diff * dydx;
    drawEnd = y < 1.0f && y > 0.0f;
  }
  Ends e;
  if (dx < 0.0f) {
    std::swap(v1, v2);
    swapped = true;
    if ((x1diff <= 0.0f) != drawStart) e.end.x = -x1diff - 0.5f, e.end.y = e.end.x * dydx;
    if ((x2diff > 0.0f) != drawEnd) e.start.x = -x2diff - 0.5f, e.start.y = e.start.x * dydx;
  } else {
    if ((x1diff > 0.0f) != drawStart) e.start.x = -x1diff + 0.5f, e.start.y = e.start.x * dydx;
    if ((x2diff <= 0.0f) != drawEnd) e.end.x = -x2diff + 0.5f, e.end.y = e.end.x * dydx;
  }
  return e;
}

Ends downEnds(Point& v1, Point& v2, bool& swapped) {
  const float dx = v1.x - v2.x, dy = v1.y - v2.y;
  const float x1diff = v1.x - std::floor(v1.x) - 0.5f;
  const float y1diff = v1.y - std::floor(v1.y) - 0.5f;
  float x2diff = v2.x - std::floor(v2.x) - 0.5f;
  const float y2diff = v2.y - std::floor(v2.y) - 0.5f;
  const float dxdy = dx / dy;
  if (x2diff == -0.5f && dx < 0.0f) x2diff = 0.5f;
  bool drawStart, drawEnd;
  if (std::fabs(x1diff) + std::fabs(y1diff) < 0.5f) {
    drawStart = true;
  } else if (sign(-y1diff) == sign(dy)) {
    drawStart = false;
  } else if (sign(x1diff) != sign(-dx)) {
    drawStart = true;
  } else {
    const float x = fraction(v1.x) + y1diff * dxdy;
    drawStart = x < 1.0f && x > 0.0f;
  }
  if (std::fabs(x2diff) + std::fabs(y2diff) < 0.5f) {
    drawEnd = false;
  } else if (sign(-y2diff) != sign(dy)) {
    drawEnd = false;
  } else if (sign(x2diff) == sign(-dx)) {
    drawEnd = true;
  } else {
    const float x = fraction(v2.x) + y2diff * dxdy;
    drawEnd = x < 1.0f && x >= 0.0f;
  }
  Ends e;
  if (dy > 0.0f) {
    std::swap(v1, v2);
    swapped = true;
    const bool willStart = bottomEdgeRule ? y1diff >= 0.0f : y1diff > 0.0f;
    const bool willEnd = bottomEdgeRule ? y2diff < 0.0f : y2diff <= 0.0f;
    if (willStart != drawStart) e.end.y = -y1diff + 0.5f, e.end.x = e.end.y * dxdy;
    if (willEnd != drawEnd) e.start.y = -y2diff + 0.5f, e.start.x = e.start.y * dxdy;
  } else {
    const bool willStart = bottomEdgeRule ? y1diff < 0.0f : y1diff <= 0.0f;
    const bool willEnd = bottomEdgeRule ? y2diff >= 0.0f : y2diff > 0.0f;
    if (willStart != drawStart) e.start.y = -y1diff - 0.5f, e.start.x = e.start.y * dxdy;
    if (willEnd != drawEnd) e.end.y = -y2diff - 0.5f, e.end.x = e.end.y * dxdy;
  }
  return e;
}

}  // namespace

// The corners are where llvmpipe's setup puts them, on its subpixel grid,
// then given back in window coordinates.
bool quadOf(Point a, Point b, float lineWidth, Quad& quad) {
  const float dx = a.x - b.x, dy = a.y - b.y;
  if (dx * dx + dy * dy == 0) return false;
  const float half = rounded(lineWidth < 1.0f ? 1.0f : lineWidth) / 2.0f;
  Point v1 = a, v2 = b;
  bool swapped = false;
  const bool across = std::fabs(dx) >= std::fabs(dy);
  const Ends e = across ? acrossEnds(v1, v2, swapped) : downEnds(v1, v2, swapped);
  const Point s{snap(v1.x + e.start.x - 0.5f), snap(v1.y + e.start.y - 0.5f)};
  const Point t{snap(v2.x + e.end.x - 0.5f), snap(v2.y + e.end.y - 0.5f)};
  const Point side = across ? Point{0, half} : Point{half, 0};
  quad.corner[0] = {s.x - side.x + 0.5f, s.y - side.y + 0.5f};
  quad.corner[1] = {t.x - side.x + 0.5f, t.y - side.y + 0.5f};
  quad.corner[2] = {t.x + side.x + 0.5f, t.y + side.y + 0.5f};
  quad.corner[3] = {s.x + side.x + 0.5f, s.y + side.y + 0.5f};
  quad.start = swapped ? 1 : 0;
  quad.across = across;
  return true;
}

PointPixels pixelsOf(Point p, float size) {
  const auto fixed = [](float a) { return int(rounded(fixedOne * a)); };
  const int x = fixed(p.x);
  const int y = fixed(p.y) - (bottomEdgeRule ? 1 : 0);
  const int one = int(fixedOne);
  const int width = std::max(one, (fixed(size) + one / 2 - 1) & ~(one - 1)) / one;
  if (width & 1) return {(x >> 8) - (width - 1) / 2, (y >> 8) - (width - 1) / 2, width};
  return {((x + one / 2) >> 8) - width / 2, ((y + one / 2) >> 8) - width / 2, width};
}

// The line's length is its longer side, as for a line that is not
// smooth; each pixel along it has the pattern's bit at the counter.
void cut(Point a, Point b, Stipple& stipple, std::vector<Piece>& pieces) {
  pieces.clear();
  const float dx = std::fabs(a.x - b.x), dy = std::fabs(a.y - b.y);
  const float length = dx > dy ? dx : dy;
  const int whole = std::isfinite(length) ? int(std::ceil(length)) : 0;
  bool on = false;
  float start = 0;
  for (int i = 0; i < whole; ++i) {
    const int bit = (int(stipple.counter) + i) / stipple.factor & 0xF;
    const bool lit = ((1 << bit) & stipple.pattern) != 0;
    if (lit == on) continue;
    if (on) {
      pieces.push_back({start / length, float(i) / length});
    } else {
      start = float(i);
    }
    on = lit;
  }
  if (on && start < length) pieces.push_back({start / length, 1.0f});
  stipple.counter += length;
}

}  // namespace standin::lines

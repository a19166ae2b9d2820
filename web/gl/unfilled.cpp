// Polygons as lines and points. The renderer's pipeline cuts each polygon
// into triangles whose last corner is its provoking vertex, each knowing
// which of its edges are the polygon's; a triangle is culled and faced by
// its winding in the window, lit by the colours of that face, flat shaded
// whole, offset by its own slope, then drawn as its edges from the third
// corner round, or its corners from the first.

#include "gl/unfilled.h"

#include <algorithm>
#include <cmath>

#include "gl/state.h"

namespace standin {

namespace {

// Which of a triangle's edges are the polygon's: edge 0 from its first
// corner to its second, 1 from the second to the third, 2 from the third
// to the first; and whether the line stipple starts afresh at it.
enum : unsigned { edge0 = 1, edge1 = 2, edge2 = 4, allEdges = 7, resetStipple = 8 };

struct CutTriangle {
  std::uint32_t v[3];
  unsigned flags;
};

void cutPolygons(GLenum mode, Ids id, std::vector<CutTriangle>& out) {
  const std::uint32_t n = id.count;
  const unsigned all = allEdges | resetStipple;
  switch (mode) {
    case GL_TRIANGLES:
      for (std::uint32_t i = 0; i + 2 < n; i += 3)
        out.push_back({{id[i], id[i + 1], id[i + 2]}, all});
      break;
    case GL_TRIANGLE_STRIP:
      for (std::uint32_t i = 0; i + 2 < n; ++i) {
        const std::uint32_t odd = i % 2;
        out.push_back({{id[i + odd], id[i + 1 - odd], id[i + 2]}, all});
      }
      break;
    case GL_TRIANGLE_FAN:
      for (std::uint32_t i = 0; i + 2 < n; ++i) out.push_back({{id[0], id[i + 1], id[i + 2]}, all});
      break;
    case GL_QUADS:
      for (std::uint32_t i = 0; i + 3 < n; i += 4) {
        out.push_back({{id[i], id[i + 1], id[i + 3]}, edge0 | edge2 | resetStipple});
        out.push_back({{id[i + 1], id[i + 2], id[i + 3]}, edge0 | edge1});
      }
      break;
    case GL_QUAD_STRIP:
      for (std::uint32_t i = 0; i + 3 < n; i += 2) {
        out.push_back({{id[i + 2], id[i], id[i + 3]}, edge0 | edge2 | resetStipple});
        out.push_back({{id[i], id[i + 1], id[i + 3]}, edge0 | edge1});
      }
      break;
    case GL_POLYGON:
      for (std::uint32_t i = 0; i + 2 < n; ++i) {
        unsigned flags = i == 0 ? edge0 | edge2 | resetStipple : edge0;
        if (i + 3 == n) flags |= edge1;
        out.push_back({{id[i + 1], id[i + 2], id[0]}, flags});
      }
      break;
  }
}

// Whether the edge from vertex `i` is drawn: GL's edge flags mark the
// edges of independent triangles, quads and polygons only.
bool flagged(GLenum mode, const Vertices& v, std::uint32_t i) {
  if (mode != GL_TRIANGLES && mode != GL_QUADS && mode != GL_POLYGON) return true;
  return (v.edgeFlagsVary ? v.edgeFlags[i] : v.edgeFlags[0]) != 0.0f;
}

// How far the renderer moves a triangle's depth in the window: by its
// greatest slope times the factor, and by the units of a depth buffer of
// floats, the least step of the greatest depth it has.
float depthOffset(const Viewport& view, const Vec4 (&c)[3]) {
  float x[3], y[3], z[3];
  for (int k = 0; k < 3; ++k) {
    x[k] = c[k][0] / c[k][3] * view.scale[0];
    y[k] = c[k][1] / c[k][3] * view.scale[1];
    z[k] = c[k][2] / c[k][3] * view.scale[2] + view.translate[2];
  }
  const float ex = x[0] - x[2], ey = y[0] - y[2], ez = z[0] - z[2];
  const float fx = x[1] - x[2], fy = y[1] - y[2], fz = z[1] - z[2];
  const float det = ex * fy - ey * fx;
  float slope = 0;
  if (det != 0) {
    slope = std::max(std::fabs((ey * fz - ez * fy) / det), std::fabs((ez * fx - ex * fz) / det));
  }
  const float most = std::max({std::fabs(z[0]), std::fabs(z[1]), std::fabs(z[2])});
  int exponent = 0;
  std::frexp(most, &exponent);
  const float step = most > 0 ? std::ldexp(1.0f, exponent - 1 - 23) : 0.0f;
  return gl.polygon.offsetUnits * step + gl.polygon.offsetFactor * slope;
}

// A draw's triangles as the renderer's pipeline takes them: the lines and
// points of each face, front and back, kept apart to be lit as such.
struct Unfilled {
  CpuLines lines;
  MadeVertices points[2];
  Viewport view;
  Mat4 clip;

  void begin() {
    lines.begin();
    points[0].clear();
    points[1].clear();
    view = viewport();
    clip = clipMatrix();
  }

  void triangle(GLenum mode, const Vertices& v, const CutTriangle& t,
                std::vector<Triangle>& filled) {
    Values values[3];
    Vec4 c[3];
    for (int k = 0; k < 3; ++k) {
      values[k] = valuesOf(v, t.v[k]);
      c[k] = clipOf(clip, values[k]);
    }
    // The winding in the window, counter-clockwise where the area is
    // none; the sign holds for the part in front of the eye.
    const float det = c[0][0] * (c[1][1] * c[2][3] - c[2][1] * c[1][3]) -
                      c[1][0] * (c[0][1] * c[2][3] - c[2][1] * c[0][3]) +
                      c[2][0] * (c[0][1] * c[1][3] - c[1][1] * c[0][3]);
    const bool front = (det >= 0) == (gl.polygon.frontFace == GL_CCW);
    if (gl.polygon.cull) {
      const GLenum face = gl.polygon.cullFace;
      if (det == 0 || face == GL_FRONT_AND_BACK || (face == GL_FRONT) == front) return;
    }
    const GLenum fill = gl.polygon.mode[front ? 0 : 1];
    if (fill == GL_FILL) return filled.push_back({t.v[0], t.v[1], t.v[2], t.v[2]});
    const int face = !front && gl.lighting.lighting && gl.lighting.twoSide ? 1 : 0;
    const bool offset = fill == GL_LINE ? gl.polygon.offsetLine : gl.polygon.offsetPoint;
    const float moved = offset ? depthOffset(view, c) : 0.0f;
    const Values* shade = flatShows(v) ? &values[2] : nullptr;
    if (fill == GL_POINT) {
      for (int k = 0; k < 3; ++k) {
        if (!(t.flags & (1u << k)) || !flagged(mode, v, t.v[k])) continue;
        Vec4 at = c[k];
        at[2] = offsetDepth(view, at[2] / at[3], moved) * at[3];
        addPoint(points[face], view, values[k], shade != nullptr ? *shade : values[k], at);
      }
      return;
    }
    if (t.flags & resetStipple) lines.resetStipple();
    lines.depthOffset = moved;
    for (const int k : {2, 0, 1}) {
      if (!(t.flags & (1u << k)) || !flagged(mode, v, t.v[k])) continue;
      lines.segment(values[k], values[(k + 1) % 3], shade, face);
    }
  }
};

}  // namespace

void drawUnfilled(GLenum mode, const Vertices& v, Ids id, std::vector<Triangle>& filled) {
  static std::vector<CutTriangle> triangles;
  static Unfilled unfilled;
  triangles.clear();
  cutPolygons(mode, id, triangles);
  unfilled.begin();
  for (const CutTriangle& t : triangles) unfilled.triangle(mode, v, t, filled);
  for (int face = 0; face < 2; ++face) {
    drawMade(v, unfilled.lines.made[face], notPolygon(face == 1));
    drawMade(v, unfilled.points[face], notPolygon(face == 1));
  }
}

}  // namespace standin

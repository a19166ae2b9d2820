// A draw's primitives made into what WebGL draws, as the desktop's
// renderer makes them: polygons into triangles cut where it cuts them,
// lines into segments, points; flat shading by the provoking vertex GL
// names, each primitive's vertices given its attributes.

#include <algorithm>
#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/made_vertices.h"
#include "gl/matrices.h"
#include "gl/state.h"
#include "gl/unfilled.h"
#include "gl/vertices.h"

namespace standin {

namespace {

Key flatKey() {
  Key key;
  put(key, keys::flat, 1);
  return key;
}

// Whether the draw goes through the desktop's renderer's pipeline of
// stages, which cuts quads otherwise: where a polygon is stippled, drawn
// as lines or points, offset as such, lit on two sides, or clipped.
bool throughPipeline(const Vertices& v, Ids id) {
  const PolygonGroup& p = gl.polygon;
  return p.stipple || p.mode[0] != GL_FILL || p.mode[1] != GL_FILL || p.offsetLine ||
         p.offsetPoint || (gl.lighting.lighting && gl.lighting.twoSide) || outsideView(v, id) ||
         outsideClipPlanes(v, id);
}

// Quads are cut into triangles along the diagonal the desktop's renderer
// cuts them along, which shows where their corners' colours differ: from
// the first corner to the third, but where the draw is indexed, compiled
// in a list, or goes through the renderer's pipeline, from the second to
// the fourth. A quad strip's quad is cut from its first corner to its
// fourth.
void triangulate(GLenum mode, Ids id, bool secondToFourth, std::vector<Triangle>& out) {
  const std::uint32_t n = id.count;
  switch (mode) {
    case GL_TRIANGLES:
      for (std::uint32_t i = 0; i + 2 < n; i += 3)
        out.push_back({id[i], id[i + 1], id[i + 2], id[i + 2]});
      break;
    case GL_TRIANGLE_STRIP:
      for (std::uint32_t i = 0; i + 2 < n; ++i) {
        if (i % 2 == 0) {
          out.push_back({id[i], id[i + 1], id[i + 2], id[i + 2]});
        } else {
          out.push_back({id[i + 1], id[i], id[i + 2], id[i + 2]});
        }
      }
      break;
    case GL_TRIANGLE_FAN:
      for (std::uint32_t i = 1; i + 1 < n; ++i) out.push_back({id[0], id[i], id[i + 1], id[i + 1]});
      break;
    case GL_POLYGON:
      for (std::uint32_t i = 1; i + 1 < n; ++i) out.push_back({id[0], id[i], id[i + 1], id[0]});
      break;
    case GL_QUADS:
      for (std::uint32_t q = 0; q + 3 < n; q += 4) {
        const std::uint32_t c0 = id[q], c1 = id[q + 1], c2 = id[q + 2], c3 = id[q + 3];
        if (secondToFourth) {
          out.push_back({c0, c1, c3, c3});
          out.push_back({c1, c2, c3, c3});
        } else {
          out.push_back({c0, c1, c2, c3});
          out.push_back({c0, c2, c3, c3});
        }
      }
      break;
    case GL_QUAD_STRIP:
      for (std::uint32_t i = 0; i + 3 < n; i += 2) {
        const std::uint32_t c0 = id[i], c1 = id[i + 1], c2 = id[i + 2], c3 = id[i + 3];
        out.push_back({c0, c1, c3, c3});
        out.push_back({c0, c3, c2, c3});
      }
      break;
  }
}

// The vertices of each of `count` primitives of `size` corners, given the
// provoking vertex's attributes, drawn as `mode` one after another.
void drawFlat(GLenum mode, const Vertices& v, const std::uint32_t* corners, std::uint32_t count,
              int size, Key features) {
  static MadeVertices flat;
  flat.clear();
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t* primitive = corners + std::size_t(i) * (size + 1);
    const Values shade = valuesOf(v, primitive[size]);
    for (int k = 0; k < size; ++k) flat.add(valuesOf(v, primitive[k]), shade);
  }
  const Vertices made = flat.view(v);
  if (made.count == 0) return;
  if (gl.lighting.lighting) features = with(features, flatKey());
  const Placed placed = place(placingFor(mode, made, features), made);
  for (std::uint32_t i = 0; i < made.count; ++i) addIndex(*placed.batch, placed.first + i);
}

void drawTriangles(const Vertices& v, const std::vector<Triangle>& triangles) {
  if (triangles.empty()) return;
  if (flatShows(v)) {
    static_assert(sizeof(Triangle) == 4 * sizeof(std::uint32_t), "a triangle is its four ids");
    return drawFlat(GL_TRIANGLES, v, &triangles[0].a, std::uint32_t(triangles.size()), 3, Key{});
  }
  const Placed placed = place(placingFor(GL_TRIANGLES, v, Key{}), v);
  for (const Triangle& t : triangles) {
    const std::uint32_t three[] = {placed.first + t.a, placed.first + t.b, placed.first + t.c};
    addIndices(*placed.batch, three, 3);
  }
}

// A strip drawn as WebGL's own strip, joined to the batch's strip before.
void drawStrip(GLenum mode, const Vertices& v, Ids id) {
  const std::uint32_t least = mode == GL_TRIANGLE_STRIP ? 3 : 4;
  if (id.count < least) return;
  const Placed placed = place(placingFor(GL_TRIANGLE_STRIP, v, Key{}), v);
  Batch& batch = *placed.batch;
  const std::uint32_t first = placed.first;
  // The strip's indices are made here and written as one.
  static std::vector<std::uint32_t> strip;
  if (mode == GL_TRIANGLE_STRIP) {
    joinStrip(batch, first + id[0]);
    strip.resize(id.count);
    for (std::uint32_t i = 0; i < id.count; ++i) strip[i] = first + id[i];
    return addIndices(batch, strip.data(), id.count);
  }
  // A quad strip is drawn as a triangle strip of its pairs turned round,
  // after its first index twice, which turns each triangle back to the
  // quad's own winding: each quad is then cut from its first corner to
  // its fourth.
  joinStrip(batch, first + id[1]);
  const std::uint32_t pairs = id.count / 2;
  strip.resize(1 + std::size_t(pairs) * 2);
  strip[0] = first + id[1];
  for (std::uint32_t i = 0; i < pairs; ++i) {
    strip[1 + 2 * i] = first + id[2 * i + 1];
    strip[2 + 2 * i] = first + id[2 * i];
  }
  addIndices(batch, strip.data(), std::uint32_t(strip.size()));
}

void polygons(GLenum mode, const Vertices& v, Ids id, Source source) {
  static std::vector<Triangle> triangles;
  triangles.clear();
  const PolygonGroup& p = gl.polygon;
  if (p.mode[0] != GL_FILL || p.mode[1] != GL_FILL) {
    if (outsideClipPlanes(v, id)) {
      // The desktop draws the edge a clip plane cuts along, which lines
      // of the polygon's own edges cannot give.
      return refuse("glPolygonMode", p.mode[0] != GL_FILL ? p.mode[0] : p.mode[1]);
    }
    drawUnfilled(mode, v, id, triangles);
    return drawTriangles(v, triangles);
  }
  if (!flatShows(v) && (mode == GL_TRIANGLE_STRIP || mode == GL_QUAD_STRIP)) {
    return drawStrip(mode, v, id);
  }
  const bool secondToFourth =
      mode == GL_QUADS &&
      (source == Source::indexedArrays || source == Source::list || throughPipeline(v, id));
  triangulate(mode, id, secondToFourth, triangles);
  drawTriangles(v, triangles);
}

// A line's two ends, and the vertex whose attributes it takes when flat
// shaded: the second, or the first for the segment that closes a loop.
void segments(GLenum mode, Ids id, std::vector<std::uint32_t>& out) {
  const std::uint32_t n = id.count;
  const auto add = [&](std::uint32_t a, std::uint32_t b) { out.insert(out.end(), {a, b, b}); };
  if (mode == GL_LINES) {
    for (std::uint32_t i = 0; i + 1 < n; i += 2) add(id[i], id[i + 1]);
    return;
  }
  for (std::uint32_t i = 0; i + 1 < n; ++i) add(id[i], id[i + 1]);
  if (mode == GL_LINE_LOOP && n >= 2) add(id[n - 1], id[0]);
}

// The stand-in's own quads for a draw's lines.
void drawCpuLines(GLenum mode, const Vertices& v, const std::vector<std::uint32_t>& ends) {
  static CpuLines cpu;
  cpu.begin();
  const bool flat = flatShows(v);
  for (std::size_t i = 0; i + 2 < ends.size(); i += 3) {
    // Each independent line starts the stipple afresh; a strip's go on.
    if (mode == GL_LINES) cpu.resetStipple();
    const Values shade = valuesOf(v, ends[i + 2]);
    cpu.segment(valuesOf(v, ends[i]), valuesOf(v, ends[i + 1]), flat ? &shade : nullptr);
  }
  drawMade(v, cpu.made[0], notPolygon());
}

void line(GLenum mode, const Vertices& v, Ids id) {
  if (gl.line.smooth) return refuse("glEnable", GL_LINE_SMOOTH);
  static std::vector<std::uint32_t> ends;
  ends.clear();
  segments(mode, id, ends);
  const auto count = static_cast<std::uint32_t>(ends.size() / 3);
  if (count == 0) return;
  if (gl.line.width != 1.0f || gl.line.stipple) return drawCpuLines(mode, v, ends);
  if (flatShows(v)) return drawFlat(GL_LINES, v, ends.data(), count, 2, notPolygon());
  const Placed placed = place(placingFor(GL_LINES, v, notPolygon()), v);
  for (std::uint32_t i = 0; i < count; ++i) {
    addIndex(*placed.batch, placed.first + ends[3 * i]);
    addIndex(*placed.batch, placed.first + ends[3 * i + 1]);
  }
}

// Points as squares of the pixels the desktop's renderer gives them, each
// of the point's own values; a point whose place lies outside the view is
// not drawn.
void points(const Vertices& v, Ids id) {
  if (gl.point.smooth) return refuse("glEnable", GL_POINT_SMOOTH);
  static MadeVertices made;
  made.clear();
  const Viewport view = viewport();
  const Mat4 clip = clipMatrix();
  for (std::uint32_t i = 0; i < id.count; ++i) {
    const Values values = valuesOf(v, id[i]);
    addPoint(made, view, values, values, clipOf(clip, values));
  }
  drawMade(v, made, notPolygon());
}

}  // namespace

void drawVertices(GLenum mode, const Vertices& v, const std::uint32_t* indices, std::uint32_t count,
                  Source source) {
  if (drawingStopped() || v.count == 0 || fragmentsRefused()) return;
  const Ids id{indices, indices != nullptr ? count : v.count};
  switch (mode) {
    case GL_POINTS:
      return points(v, id);
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      return line(mode, v, id);
    default:
      return polygons(mode, v, id, source);
  }
}

}  // namespace standin

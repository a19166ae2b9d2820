// A draw's primitives made into what WebGL draws, as the desktop's
// renderer makes them: polygons into triangles cut where it cuts them,
// lines into segments, points; flat shading by the provoking vertex GL
// names, each primitive's vertices given its attributes.

#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/matrices.h"
#include "gl/state.h"
#include "gl/vertices.h"

namespace standin {

namespace {

// The ids of a draw's vertices: through its indices, or in their order.
struct Ids {
  const std::uint32_t* indices;
  std::uint32_t count;
  std::uint32_t operator[](std::uint32_t i) const { return indices != nullptr ? indices[i] : i; }
};

const float* attribute(const float* values, bool vary, std::uint32_t i, int size) {
  return vary ? values + std::size_t(i) * size : values;
}

// Whether any of the vertices' texture coordinates has a q other than 1.
bool projective(const Vertices& v) {
  if (!v.texCoordsVary) return v.texCoords[3] != 1.0f;
  for (std::uint32_t i = 0; i < v.count; ++i) {
    if (v.texCoords[std::size_t(i) * 4 + 3] != 1.0f) return true;
  }
  return false;
}

Placing placingFor(GLenum mode, const Vertices& v, Key key) {
  if (projective(v)) put(key, keys::projective, 1);
  if (v.wsVary || v.ws[0] != 1.0f) put(key, keys::homogeneous, 1);
  return {mode, v.texCoordsVary ? nullptr : v.texCoords, v.materials, v.materialCount, key};
}

Key flatKey() {
  Key key;
  put(key, keys::flat, 1);
  return key;
}

// Whether any of the draw's vertices lies outside the view volume or a
// clip plane that is on, so that the desktop's renderer clips it.
bool clipped(const Vertices& v, Ids id) {
  const Mat4 clip = matrices::multiply(gl.projection.back(), gl.modelview.back());
  const Mat4& modelview = gl.modelview.back();
  bool planes = false;
  for (bool on : gl.transform.clipOn) planes = planes || on;
  for (std::uint32_t i = 0; i < id.count; ++i) {
    const float* p = v.positions + std::size_t(id[i]) * 3;
    const Vec4 object{p[0], p[1], p[2], *attribute(v.ws, v.wsVary, id[i], 1)};
    const Vec4 c = matrices::transform(clip, object);
    for (int axis = 0; axis < 3; ++axis) {
      if (c[axis] < -c[3] || c[axis] > c[3]) return true;
    }
    if (!planes) continue;
    const Vec4 eye = matrices::transform(modelview, object);
    for (int k = 0; k < clipPlaneCount; ++k) {
      const Vec4& plane = gl.transform.clipPlanes[k];
      if (gl.transform.clipOn[k] &&
          plane[0] * eye[0] + plane[1] * eye[1] + plane[2] * eye[2] + plane[3] * eye[3] < 0) {
        return true;
      }
    }
  }
  return false;
}

// A triangle, and the vertex whose attributes it takes when flat shaded.
struct Triangle {
  std::uint32_t a, b, c, provoking;
};

// Quads are cut into triangles along the diagonal the desktop's renderer
// cuts them along, which shows where their corners' colours differ: from
// the first corner to the third, but where the draw is indexed, compiled
// in a list, or goes through the renderer's pipeline (clipped, stippled),
// from the second to the fourth. A quad strip's quad is cut from its
// first corner to its fourth.
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

// Vertices made for flat shading, each a corner of the program's with the
// provoking vertex's normal, colour and material, lit where that vertex is.
struct FlatVertices {
  std::vector<float> positions, ws, normals, colours, texCoords, shades;
  std::vector<std::uint8_t> materialIds;

  void clear() {
    for (auto* values : {&positions, &ws, &normals, &colours, &texCoords, &shades}) values->clear();
    materialIds.clear();
  }
  void add(const Vertices& v, std::uint32_t own, std::uint32_t provoking) {
    const float* p = v.positions + std::size_t(own) * 3;
    positions.insert(positions.end(), p, p + 3);
    ws.push_back(*attribute(v.ws, v.wsVary, own, 1));
    const float* n = attribute(v.normals, v.normalsVary, provoking, 3);
    normals.insert(normals.end(), n, n + 3);
    const float* c = attribute(v.colours, v.coloursVary, provoking, 4);
    colours.insert(colours.end(), c, c + 4);
    const float* t = attribute(v.texCoords, v.texCoordsVary, own, 4);
    texCoords.insert(texCoords.end(), t, t + 4);
    const float* s = v.positions + std::size_t(provoking) * 3;
    shades.insert(shades.end(), {s[0], s[1], s[2], *attribute(v.ws, v.wsVary, provoking, 1)});
    materialIds.push_back(v.materialIds != nullptr ? v.materialIds[provoking] : 0);
  }
  Vertices view(const Vertices& like) const {
    Vertices v = like;
    v.count = static_cast<std::uint32_t>(ws.size());
    v.positions = positions.data();
    v.ws = ws.data();
    v.wsVary = true;
    v.normals = normals.data();
    v.normalsVary = true;
    v.colours = colours.data();
    v.coloursVary = true;
    v.texCoords = texCoords.data();
    v.texCoordsVary = like.texCoordsVary;
    v.shadePositions = shades.data();
    v.materialIds = like.materialIds != nullptr ? materialIds.data() : nullptr;
    return v;
  }
};

// Whether flat shading changes what the draw shows: lit, each vertex may
// be lit otherwise; unlit, where the colours differ.
bool flatShows(const Vertices& v) {
  if (gl.lighting.shadeModel != GL_FLAT) return false;
  return gl.lighting.lighting || v.coloursVary;
}

// The vertices of each of `count` primitives of `size` corners, given the
// provoking vertex's attributes, drawn as `mode` one after another.
void drawFlat(GLenum mode, const Vertices& v, const std::uint32_t* corners, std::uint32_t count,
              int size) {
  static FlatVertices flat;
  flat.clear();
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t* primitive = corners + std::size_t(i) * (size + 1);
    for (int k = 0; k < size; ++k) flat.add(v, primitive[k], primitive[size]);
  }
  const Vertices made = flat.view(v);
  if (made.count == 0) return;
  const Placed placed =
      place(placingFor(mode, made, gl.lighting.lighting ? flatKey() : Key{}), made);
  for (std::uint32_t i = 0; i < made.count; ++i) addIndex(*placed.batch, placed.first + i);
}

void fill(GLenum mode, const Vertices& v, Ids id, Source source) {
  static std::vector<Triangle> triangles;
  const bool secondToFourth =
      mode == GL_QUADS && (source == Source::indexedArrays || source == Source::list ||
                           gl.polygon.stipple || clipped(v, id));
  if (flatShows(v)) {
    triangles.clear();
    triangulate(mode, id, secondToFourth, triangles);
    static_assert(sizeof(Triangle) == 4 * sizeof(std::uint32_t), "a triangle is its four ids");
    return drawFlat(GL_TRIANGLES, v, &triangles[0].a, std::uint32_t(triangles.size()), 3);
  }
  if (mode == GL_TRIANGLE_STRIP || mode == GL_QUAD_STRIP) {
    const std::uint32_t least = mode == GL_TRIANGLE_STRIP ? 3 : 4;
    if (id.count < least) return;
    const Placed placed = place(placingFor(GL_TRIANGLE_STRIP, v, Key{}), v);
    Batch& batch = *placed.batch;
    if (mode == GL_TRIANGLE_STRIP) {
      joinStrip(batch, placed.first + id[0]);
      for (std::uint32_t i = 0; i < id.count; ++i) addIndex(batch, placed.first + id[i]);
      return;
    }
    // A quad strip is drawn as a triangle strip of its pairs turned round,
    // after its first index twice, which turns each triangle back to the
    // quad's own winding: each quad is then cut from its first corner to
    // its fourth.
    joinStrip(batch, placed.first + id[1]);
    addIndex(batch, placed.first + id[1]);
    for (std::uint32_t i = 0; i + 1 < id.count; i += 2) {
      addIndex(batch, placed.first + id[i + 1]);
      addIndex(batch, placed.first + id[i]);
    }
    return;
  }
  triangles.clear();
  triangulate(mode, id, secondToFourth, triangles);
  if (triangles.empty()) return;
  const Placed placed = place(placingFor(GL_TRIANGLES, v, Key{}), v);
  for (const Triangle& t : triangles) {
    const std::uint32_t three[] = {placed.first + t.a, placed.first + t.b, placed.first + t.c};
    addIndices(*placed.batch, three, 3);
  }
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

void line(GLenum mode, const Vertices& v, Ids id) {
  if (gl.line.width != 1.0f) return refuse("glLineWidth", "a width other than 1");
  if (gl.line.stipple) return refuse("glEnable", GL_LINE_STIPPLE);
  if (gl.line.smooth) return refuse("glEnable", GL_LINE_SMOOTH);
  static std::vector<std::uint32_t> ends;
  ends.clear();
  segments(mode, id, ends);
  const auto count = static_cast<std::uint32_t>(ends.size() / 3);
  if (count == 0) return;
  if (flatShows(v)) return drawFlat(GL_LINES, v, ends.data(), count, 2);
  const Placed placed = place(placingFor(GL_LINES, v, Key{}), v);
  for (std::uint32_t i = 0; i < count; ++i) {
    addIndex(*placed.batch, placed.first + ends[3 * i]);
    addIndex(*placed.batch, placed.first + ends[3 * i + 1]);
  }
}

void points(const Vertices& v, Ids id) {
  if (gl.point.smooth) return refuse("glEnable", GL_POINT_SMOOTH);
  if (id.count == 0) return;
  Key key;
  put(key, keys::points, 1);
  const Placed placed = place(placingFor(GL_POINTS, v, key), v);
  for (std::uint32_t i = 0; i < id.count; ++i) addIndex(*placed.batch, placed.first + id[i]);
}

}  // namespace

void drawVertices(GLenum mode, const Vertices& v, const std::uint32_t* indices, std::uint32_t count,
                  Source source) {
  if (drawingStopped() || v.count == 0) return;
  const Ids id{indices, indices != nullptr ? count : v.count};
  switch (mode) {
    case GL_POINTS:
      return points(v, id);
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      return line(mode, v, id);
    default:
      if (gl.polygon.mode[0] != GL_FILL || gl.polygon.mode[1] != GL_FILL) {
        return refuse("glPolygonMode",
                      gl.polygon.mode[0] != GL_FILL ? gl.polygon.mode[0] : gl.polygon.mode[1]);
      }
      return fill(mode, v, id, source);
  }
}

}  // namespace standin

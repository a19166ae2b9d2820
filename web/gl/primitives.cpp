// A draw's primitives made into what WebGL draws, as the desktop's
// renderer makes them: polygons into triangles cut where it cuts them,
// lines into segments, points; flat shading by the provoking vertex GL
// names, each primitive's vertices given its attributes.

#include <algorithm>
#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/line_geometry.h"
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

// One vertex's values, each attribute its own.
struct Values {
  float position[3], w, normal[3], colour[4], texCoord[4];
  std::uint8_t material;
};

Values valuesOf(const Vertices& v, std::uint32_t i) {
  Values values;
  std::copy_n(v.positions + std::size_t(i) * 3, 3, values.position);
  values.w = *attribute(v.ws, v.wsVary, i, 1);
  std::copy_n(attribute(v.normals, v.normalsVary, i, 3), 3, values.normal);
  std::copy_n(attribute(v.colours, v.coloursVary, i, 4), 4, values.colour);
  std::copy_n(attribute(v.texCoords, v.texCoordsVary, i, 4), 4, values.texCoord);
  values.material = v.materialIds != nullptr ? v.materialIds[i] : 0;
  return values;
}

// The values at `t` of the way from `a` to `b` on the screen, between ends
// with these w, each attribute blended as the renderer blends it, in
// perspective; the colour clamped at the ends first.
Values alongLine(const Values& a, const Values& b, float wa, float wb, float w, float t);

// The values at `t` of the way from `a` to `b`, each attribute blended.
Values between(const Values& a, const Values& b, float t) {
  Values v = a;
  const auto blend = [t](const float* from, const float* to, float* into, int n) {
    for (int i = 0; i < n; ++i) into[i] = from[i] + t * (to[i] - from[i]);
  };
  blend(a.position, b.position, v.position, 3);
  blend(&a.w, &b.w, &v.w, 1);
  blend(a.normal, b.normal, v.normal, 3);
  blend(a.colour, b.colour, v.colour, 4);
  blend(a.texCoord, b.texCoord, v.texCoord, 4);
  return v;
}

Values alongLine(const Values& a, const Values& b, float wa, float wb, float w, float t) {
  Values v = a;
  const auto blend = [&](const float* from, const float* to, float* into, int n, bool clamped) {
    for (int i = 0; i < n; ++i) {
      const float f = clamped ? std::clamp(from[i], 0.0f, 1.0f) : from[i];
      const float g = clamped ? std::clamp(to[i], 0.0f, 1.0f) : to[i];
      into[i] = (f / wa + t * (g / wb - f / wa)) * w;
    }
  };
  blend(a.position, b.position, v.position, 3, false);
  blend(&a.w, &b.w, &v.w, 1, false);
  blend(a.normal, b.normal, v.normal, 3, false);
  blend(a.colour, b.colour, v.colour, 4, !gl.lighting.lighting);
  blend(a.texCoord, b.texCoord, v.texCoord, 4, false);
  return v;
}

// Vertices the stand-in makes of the program's: each with its own place
// and texture coordinate, the normal, colour and material of the vertex it
// is shaded by, lit where that one is, and where the stand-in works out
// its place in clip space itself, that place.
struct MadeVertices {
  std::vector<float> positions, ws, normals, colours, texCoords, shades, clips;
  std::vector<std::uint8_t> materialIds;

  void clear() {
    for (auto* values : {&positions, &ws, &normals, &colours, &texCoords, &shades, &clips}) {
      values->clear();
    }
    materialIds.clear();
  }
  void add(const Values& own, const Values& shade, const Vec4* clip = nullptr) {
    positions.insert(positions.end(), own.position, own.position + 3);
    ws.push_back(own.w);
    normals.insert(normals.end(), shade.normal, shade.normal + 3);
    colours.insert(colours.end(), shade.colour, shade.colour + 4);
    texCoords.insert(texCoords.end(), own.texCoord, own.texCoord + 4);
    shades.insert(shades.end(), {shade.position[0], shade.position[1], shade.position[2], shade.w});
    if (clip != nullptr) clips.insert(clips.end(), clip->begin(), clip->end());
    materialIds.push_back(shade.material);
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
    v.texCoordsVary = like.texCoordsVary;
    if (like.texCoordsVary) v.texCoords = texCoords.data();
    v.shadePositions = shades.data();
    v.clipPositions = clips.empty() ? nullptr : clips.data();
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
  static MadeVertices flat;
  flat.clear();
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t* primitive = corners + std::size_t(i) * (size + 1);
    const Values shade = valuesOf(v, primitive[size]);
    for (int k = 0; k < size; ++k) flat.add(valuesOf(v, primitive[k]), shade);
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

// Where the desktop's renderer puts a point of clip space in its window:
// the viewport's transform, its rows from the window's top.
struct Viewport {
  float scale[3], translate[3];
  float height;  // the window's
};

Viewport viewport() {
  const ViewportGroup& v = gl.viewport;
  const float height = float(device::drawingBufferHeight());
  const float nearVal = float(v.nearVal), farVal = float(v.farVal);
  return {{float(v.width) / 2, -float(v.height) / 2, (farVal - nearVal) / 2},
          {float(v.x) + float(v.width) / 2, height - (float(v.y) + float(v.height) / 2),
           (farVal + nearVal) / 2},
          height};
}

lines::Point toWindow(const Viewport& view, const Vec4& clip) {
  return {clip[0] / clip[3] * view.scale[0] + view.translate[0],
          clip[1] / clip[3] * view.scale[1] + view.translate[1]};
}

// The place in clip space of a point given in the renderer's window, at
// the depth and w of the clip-space point `at`.
Vec4 fromWindow(const Viewport& view, lines::Point p, const Vec4& at) {
  const float x = (p.x - view.translate[0]) / view.scale[0];
  const float y = (p.y - view.translate[1]) / view.scale[1];
  return {x * at[3], y * at[3], at[2], at[3]};
}

Vec4 clipOf(const Mat4& clip, const Values& v) {
  return matrices::transform(clip, {v.position[0], v.position[1], v.position[2], v.w});
}

// Cuts a segment in clip space to the near and far planes and to w > 0;
// false where none of it is left. `from` and `to` say how much of it is.
bool withinDepth(const Vec4& a, const Vec4& b, float& from, float& to) {
  from = 0;
  to = 1;
  const float planes[3][2] = {
      {a[2] + a[3], b[2] + b[3]}, {a[3] - a[2], b[3] - b[2]}, {a[3] - 1e-6f, b[3] - 1e-6f}};
  for (const auto& d : planes) {
    if (d[0] < 0 && d[1] < 0) return false;
    if (d[0] < 0) from = std::max(from, d[0] / (d[0] - d[1]));
    if (d[1] < 0) to = std::min(to, d[0] / (d[0] - d[1]));
  }
  return from < to;
}

Vec4 blend(const Vec4& a, const Vec4& b, float t) {
  return {a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2]),
          a[3] + t * (b[3] - a[3])};
}

// Lines the stand-in makes itself, as quads of the desktop's, where they
// are wider than one pixel or stippled. A segment is cut to the depth the
// view takes, then by the stipple into pieces, each a quad whose corners
// take the values of the piece's ends.
struct CpuLines {
  MadeVertices made;
  std::vector<lines::Piece> pieces;
  Viewport view{};
  Mat4 clip;
  lines::Stipple stipple{0xFFFF, 1, 0};

  void begin() {
    made.clear();
    view = viewport();
    clip = matrices::multiply(gl.projection.back(), gl.modelview.back());
    resetStipple();
  }
  void resetStipple() { stipple = {gl.line.stipplePattern, gl.line.stippleFactor, 0}; }
  void segment(const Values& a, const Values& b, const Values* shade) {
    const Vec4 ca = clipOf(clip, a), cb = clipOf(clip, b);
    float from, to;
    if (!withinDepth(ca, cb, from, to)) return;
    const Values va = between(a, b, from), vb = between(a, b, to);
    const Vec4 pa = blend(ca, cb, from), pb = blend(ca, cb, to);
    const lines::Point wa = toWindow(view, pa), wb = toWindow(view, pb);
    pieces.clear();
    if (gl.line.stipple) {
      lines::cut(wa, wb, stipple, pieces);
    } else {
      pieces.push_back({0, 1});
    }
    for (const lines::Piece& piece : pieces) {
      const lines::Point p0{wa.x + piece.from * (wb.x - wa.x), wa.y + piece.from * (wb.y - wa.y)};
      const lines::Point p1{wa.x + piece.to * (wb.x - wa.x), wa.y + piece.to * (wb.y - wa.y)};
      lines::Quad quad;
      if (!lines::quadOf(p0, p1, gl.line.width, quad)) continue;
      const Values ends[2] = {between(va, vb, piece.from), between(va, vb, piece.to)};
      const Vec4 at[2] = {blend(pa, pb, piece.from), blend(pa, pb, piece.to)};
      Vec4 corners[4];
      Values values[4];
      for (int k = 0; k < 4; ++k) {
        // The renderer takes a line's values along its major axis only,
        // from its ends where they are: a corner moved past an end has
        // the values there.
        const float from = quad.across ? p0.x : p0.y, to = quad.across ? p1.x : p1.y;
        const float t = ((quad.across ? quad.corner[k].x : quad.corner[k].y) - from) / (to - from);
        const float w = 1.0f / (1.0f / at[0][3] + t * (1.0f / at[1][3] - 1.0f / at[0][3]));
        const float depth = at[0][2] / at[0][3] + t * (at[1][2] / at[1][3] - at[0][2] / at[0][3]);
        corners[k] = fromWindow(view, quad.corner[k], {0, 0, depth * w, w});
        values[k] = alongLine(ends[0], ends[1], at[0][3], at[1][3], w, t);
      }
      for (const int k : {0, 1, 2, 0, 2, 3}) {
        made.add(values[k], shade != nullptr ? *shade : values[k], &corners[k]);
      }
    }
  }
};

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
  const Vertices made = cpu.made.view(v);
  if (made.count == 0) return;
  Key key;
  put(key, keys::givenClip, 1);
  if (flat && gl.lighting.lighting) put(key, keys::flat, 1);
  const Placed placed = place(placingFor(GL_TRIANGLES, made, key), made);
  for (std::uint32_t i = 0; i < made.count; ++i) addIndex(*placed.batch, placed.first + i);
}

void line(GLenum mode, const Vertices& v, Ids id) {
  if (gl.line.smooth) return refuse("glEnable", GL_LINE_SMOOTH);
  static std::vector<std::uint32_t> ends;
  ends.clear();
  segments(mode, id, ends);
  const auto count = static_cast<std::uint32_t>(ends.size() / 3);
  if (count == 0) return;
  if (gl.line.width != 1.0f || gl.line.stipple) return drawCpuLines(mode, v, ends);
  if (flatShows(v)) return drawFlat(GL_LINES, v, ends.data(), count, 2);
  const Placed placed = place(placingFor(GL_LINES, v, Key{}), v);
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
  const Mat4 clip = matrices::multiply(gl.projection.back(), gl.modelview.back());
  for (std::uint32_t i = 0; i < id.count; ++i) {
    const Values values = valuesOf(v, id[i]);
    const Vec4 c = clipOf(clip, values);
    if (c[0] < -c[3] || c[0] > c[3] || c[1] < -c[3] || c[1] > c[3] || c[2] < -c[3] || c[2] > c[3]) {
      continue;
    }
    const lines::PointPixels p = lines::pixelsOf(toWindow(view, c), gl.point.size);
    const float left = float(p.left), right = float(p.left + p.size);
    const float top = float(p.top), bottom = float(p.top + p.size);
    const lines::Point corners[4] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    for (const int k : {0, 1, 2, 0, 2, 3}) {
      const Vec4 at = fromWindow(view, corners[k], c);
      made.add(values, values, &at);
    }
  }
  const Vertices square = made.view(v);
  if (square.count == 0) return;
  Key key;
  put(key, keys::givenClip, 1);
  const Placed placed = place(placingFor(GL_TRIANGLES, square, key), square);
  for (std::uint32_t i = 0; i < square.count; ++i) addIndex(*placed.batch, placed.first + i);
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

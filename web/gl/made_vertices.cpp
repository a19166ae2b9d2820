// Vertices the stand-in makes itself: lines as the desktop's renderer's
// quads, points as its squares, each corner's values taken as the
// renderer takes them.

#include "gl/made_vertices.h"

#include <algorithm>

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"

namespace standin {

namespace {

const float* attribute(const float* values, bool vary, std::uint32_t i, int size) {
  return vary ? values + std::size_t(i) * size : values;
}

// The values at `t` of the way from `a` to `b` on the screen, between ends
// with these w, each attribute blended as the renderer blends it, in
// perspective; the colour clamped at the ends first.
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

// Whether any of the vertices' texture coordinates has a q other than 1.
bool projective(const Vertices& v) {
  if (!v.texCoordsVary) return v.texCoords[3] != 1.0f;
  for (std::uint32_t i = 0; i < v.count; ++i) {
    if (v.texCoords[std::size_t(i) * 4 + 3] != 1.0f) return true;
  }
  return false;
}

}  // namespace

Placing placingFor(GLenum mode, const Vertices& v, Key key) {
  if (projective(v)) put(key, keys::projective, 1);
  if (v.wsVary || v.ws[0] != 1.0f) put(key, keys::homogeneous, 1);
  return {mode, v.texCoordsVary ? nullptr : v.texCoords, v.materials, v.materialCount, key};
}

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

void MadeVertices::clear() {
  for (auto* values : {&positions, &ws, &normals, &colours, &texCoords, &shades, &clips}) {
    values->clear();
  }
  materialIds.clear();
}

void MadeVertices::add(const Values& own, const Values& shade, const Vec4* clip) {
  positions.insert(positions.end(), own.position, own.position + 3);
  ws.push_back(own.w);
  normals.insert(normals.end(), shade.normal, shade.normal + 3);
  colours.insert(colours.end(), shade.colour, shade.colour + 4);
  texCoords.insert(texCoords.end(), own.texCoord, own.texCoord + 4);
  shades.insert(shades.end(), {shade.position[0], shade.position[1], shade.position[2], shade.w});
  if (clip != nullptr) clips.insert(clips.end(), clip->begin(), clip->end());
  materialIds.push_back(shade.material);
}

Vertices MadeVertices::view(const Vertices& like) const {
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

bool flatShows(const Vertices& v) {
  if (gl.lighting.shadeModel != GL_FLAT) return false;
  return gl.lighting.lighting || v.coloursVary;
}

Key notPolygon(bool back) {
  Key key;
  put(key, keys::notPolygon, 1);
  put(key, keys::backFace, back);
  return key;
}

void drawMade(const Vertices& like, const MadeVertices& made, Key features) {
  const Vertices v = made.view(like);
  if (v.count == 0) return;
  put(features, keys::givenClip, 1);
  if (flatShows(like) && gl.lighting.lighting) put(features, keys::flat, 1);
  const Placed placed = place(placingFor(GL_TRIANGLES, v, features), v);
  for (std::uint32_t i = 0; i < v.count; ++i) addIndex(*placed.batch, placed.first + i);
}

Viewport viewport() {
  const ViewportGroup& v = gl.viewport;
  const float height = float(device::drawingBufferHeight());
  const float nearVal = float(v.nearVal), farVal = float(v.farVal);
  return {{float(v.width) / 2, -float(v.height) / 2, (farVal - nearVal) / 2},
          {float(v.x) + float(v.width) / 2, height - (float(v.y) + float(v.height) / 2),
           (farVal + nearVal) / 2}};
}

lines::Point toWindow(const Viewport& view, const Vec4& clip) {
  return {clip[0] / clip[3] * view.scale[0] + view.translate[0],
          clip[1] / clip[3] * view.scale[1] + view.translate[1]};
}

Vec4 fromWindow(const Viewport& view, lines::Point p, const Vec4& at) {
  const float x = (p.x - view.translate[0]) / view.scale[0];
  const float y = (p.y - view.translate[1]) / view.scale[1];
  return {x * at[3], y * at[3], at[2], at[3]};
}

float offsetDepth(const Viewport& view, float depth, float offset) {
  if (offset == 0 || view.scale[2] == 0) return depth;
  const float window = std::clamp(depth * view.scale[2] + view.translate[2] + offset, 0.0f, 1.0f);
  return (window - view.translate[2]) / view.scale[2];
}

Mat4 clipMatrix() {
  return matrices::multiply(gl.projection.back(), gl.modelview.back());
}

Vec4 clipOf(const Mat4& clip, const Values& v) {
  return matrices::transform(clip, {v.position[0], v.position[1], v.position[2], v.w});
}

void CpuLines::begin() {
  made[0].clear();
  made[1].clear();
  view = viewport();
  clip = clipMatrix();
  depthOffset = 0;
  resetStipple();
}

void CpuLines::resetStipple() {
  stipple = {gl.line.stipplePattern, gl.line.stippleFactor, 0};
}

void CpuLines::segment(const Values& a, const Values& b, const Values* shade, int face) {
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
      const float depth = offsetDepth(
          view, at[0][2] / at[0][3] + t * (at[1][2] / at[1][3] - at[0][2] / at[0][3]), depthOffset);
      corners[k] = fromWindow(view, quad.corner[k], {0, 0, depth * w, w});
      values[k] = alongLine(ends[0], ends[1], at[0][3], at[1][3], w, t);
    }
    for (const int k : {0, 1, 2, 0, 2, 3}) {
      made[face].add(values[k], shade != nullptr ? *shade : values[k], &corners[k]);
    }
  }
}

bool outsideView(const Vertices& v, Ids id) {
  const Mat4 clip = clipMatrix();
  for (std::uint32_t i = 0; i < id.count; ++i) {
    const Vec4 c = clipOf(clip, valuesOf(v, id[i]));
    for (int axis = 0; axis < 3; ++axis) {
      if (c[axis] < -c[3] || c[axis] > c[3]) return true;
    }
  }
  return false;
}

bool outsideClipPlanes(const Vertices& v, Ids id) {
  if (std::none_of(gl.transform.clipOn.begin(), gl.transform.clipOn.end(),
                   [](bool on) { return on; })) {
    return false;
  }
  const Mat4& modelview = gl.modelview.back();
  for (std::uint32_t i = 0; i < id.count; ++i) {
    const Values values = valuesOf(v, id[i]);
    const Vec4 eye = matrices::transform(
        modelview, {values.position[0], values.position[1], values.position[2], values.w});
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

bool addPoint(MadeVertices& made, const Viewport& view, const Values& values, const Values& shade,
              Vec4 c) {
  if (c[0] < -c[3] || c[0] > c[3] || c[1] < -c[3] || c[1] > c[3] || c[2] < -c[3] || c[2] > c[3]) {
    return false;
  }
  const lines::PointPixels p = lines::pixelsOf(toWindow(view, c), gl.point.size);
  const float left = float(p.left), right = float(p.left + p.size);
  const float top = float(p.top), bottom = float(p.top + p.size);
  const lines::Point corners[4] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
  for (const int k : {0, 1, 2, 0, 2, 3}) {
    const Vec4 at = fromWindow(view, corners[k], c);
    made.add(values, shade, &at);
  }
  return true;
}

}  // namespace standin

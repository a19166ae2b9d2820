#pragma once

// Vertices the stand-in makes of the program's where the desktop's
// renderer makes primitives of its own: the quads of its lines and the
// squares of its points, each corner's place worked out here in clip
// space, and the triangles of polygons that are flat shaded. Shared by
// the filled primitives and the polygons drawn as lines or points.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/batch.h"
#include "gl/draw_state.h"
#include "gl/line_geometry.h"
#include "gl/matrices.h"
#include "gl/vertices.h"

namespace standin {

// The ids of a draw's vertices: through its indices, or in their order.
struct Ids {
  const std::uint32_t* indices;
  std::uint32_t count;
  std::uint32_t operator[](std::uint32_t i) const { return indices != nullptr ? indices[i] : i; }
};

// A triangle, and the vertex whose attributes it takes when flat shaded.
struct Triangle {
  std::uint32_t a, b, c, provoking;
};

// How a draw of `mode` (GL_TRIANGLES, GL_TRIANGLE_STRIP or GL_LINES) of
// these vertices is placed, with `key` added to its state's key.
Placing placingFor(GLenum mode, const Vertices& v, Key key);

// One vertex's values, each attribute its own.
struct Values {
  float position[3], w, normal[3], colour[4], texCoord[4];
  std::uint8_t material;
};
Values valuesOf(const Vertices& v, std::uint32_t i);

// The values at `t` of the way from `a` to `b`, each attribute blended.
Values between(const Values& a, const Values& b, float t);

// Vertices made of the program's: each with its own place and texture
// coordinate, the normal, colour and material of the vertex it is shaded
// by, lit where that one is, and where the stand-in works out its place
// in clip space itself, that place.
struct MadeVertices {
  std::vector<float> positions, ws, normals, colours, texCoords, shades, clips;
  std::vector<std::uint8_t> materialIds;

  void clear();
  void add(const Values& own, const Values& shade, const Vec4* clip = nullptr);
  // The made vertices as a draw of them, with the rest of `like`.
  Vertices view(const Vertices& like) const;
};

// Whether flat shading changes what the draw shows: lit, each vertex may
// be lit otherwise; unlit, where the colours differ.
bool flatShows(const Vertices& v);

// What a draw of lines or points adds to its state's key: no polygon
// stipple, culling or offset of filled polygons; lit as back faces where
// `back`.
Key notPolygon(bool back = false);

// Draws made vertices as triangles, three after three, their places in
// clip space given, with `features` added to the state's key.
void drawMade(const Vertices& like, const MadeVertices& made, Key features);

// Where the desktop's renderer puts a point of clip space in its window:
// the viewport's transform, its rows from the window's top.
struct Viewport {
  float scale[3], translate[3];
};
Viewport viewport();
lines::Point toWindow(const Viewport& view, const Vec4& clip);
// The place in clip space of a point given in the renderer's window, at
// the depth and w of the clip-space point `at`.
Vec4 fromWindow(const Viewport& view, lines::Point p, const Vec4& at);
// The depth in normalized device coordinates `depth` is at once moved by
// `offset` in the window's depth, which stays between 0 and 1.
float offsetDepth(const Viewport& view, float depth, float offset);

// The modelview-projection matrix, and a vertex's place in clip space.
Mat4 clipMatrix();
Vec4 clipOf(const Mat4& clip, const Values& v);

// Whether any of the draw's vertices lies outside the view volume, or
// outside a clip plane that is on: where the desktop's renderer clips.
bool outsideView(const Vertices& v, Ids id);
bool outsideClipPlanes(const Vertices& v, Ids id);

// Lines the stand-in makes itself, as quads of the desktop's renderer. A
// segment is cut to the depth the view takes, then by the stipple into
// pieces, each a quad whose corners take the values of the piece's ends.
struct CpuLines {
  MadeVertices made[2];  // of front faces, or of lines; of back faces
  std::vector<lines::Piece> pieces;
  Viewport view{};
  Mat4 clip;
  lines::Stipple stipple{0xFFFF, 1, 0};
  float depthOffset = 0;  // in the window's depth, for lines of polygons offset

  void begin();
  void resetStipple();
  // A line from `a` to `b`, all its corners of `shade`'s colour where it
  // is not null, made into `made[face]`.
  void segment(const Values& a, const Values& b, const Values* shade, int face = 0);
};

// Adds the square of pixels a point of GL's point size covers at `values`
// and the clip-space place `c`, of `shade`'s colour; false where the
// point lies outside the view and is not drawn.
bool addPoint(MadeVertices& made, const Viewport& view, const Values& values, const Values& shade,
              Vec4 c);

}  // namespace standin

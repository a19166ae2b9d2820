#pragma once

// Polygons drawn as their edges or corners, as the desktop's renderer
// draws them: cut into the triangles its pipeline cuts them into, each
// culled and faced by its own winding, its edges those of the polygon the
// edge flags leave, drawn as lines or points in the order the renderer
// draws them, offset by the triangle's slope.

#include <GL/gl.h>

#include <vector>

#include "gl/made_vertices.h"

namespace standin {

// Draws the edges or corners of the polygons of a draw whose faces GL's
// polygon mode draws so, and adds to `filled` the triangles it fills.
void drawUnfilled(GLenum mode, const Vertices& v, Ids id, std::vector<Triangle>& filled);

}  // namespace standin

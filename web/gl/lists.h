#pragma once

// Display lists of draws: what glBegin and glEnd, glDrawArrays and
// glDrawElements compile between glNewList and glEndList, their vertices'
// positions and normals taken then, as GL takes them. glCallList draws
// them again with the state as it is then, and the texture coordinate and
// colour current then. The stand-in keeps a list's vertices and indices in
// WebGL from its first call on, as a driver keeps them, so a list called
// every frame hands WebGL nothing again.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace standin::lists {

struct List {
  std::vector<float> positions;          // three floats a vertex
  std::vector<float> normals;            // three floats a vertex
  std::vector<std::uint32_t> strip;      // the triangle strips, joined
  std::vector<std::uint32_t> triangles;  // the rest, as triangles
};

// The list being compiled; null when none is.
List* compiling();

// The made list `name`, which a batch draws.
const List& drawn(GLuint name);

}  // namespace standin::lists

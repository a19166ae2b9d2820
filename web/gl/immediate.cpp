// glBegin and glEnd with the vertices between them, each taking the
// current normal, texture coordinate and colour, which are set here. A
// pair's vertices are gathered here and go into the frame together at
// glEnd.

#include <vector>

#include "gl/batch.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

GLenum primitive = 0;
// The pair's vertices: positions and normals, and where a texture
// coordinate or a colour was given between glBegin and glEnd, theirs too.
// The arrays hold room for `room` vertices, and only grow; `count` says
// how many they hold now.
std::vector<float> positions, normals, texCoords, colours;
std::uint32_t count = 0, room = 0;
bool texCoordsGiven = false, coloursGiven = false;
std::vector<std::uint32_t> ids;

void makeRoom() {
  room = 2 * room + 64;
  positions.resize(std::size_t(room) * 3);
  normals.resize(std::size_t(room) * 3);
  texCoords.resize(std::size_t(room) * 2);
  colours.resize(std::size_t(room) * 4);
}

void put(std::vector<float>& values, std::uint32_t vertex, const float* from, std::size_t size) {
  float* to = values.data() + std::size_t(vertex) * size;
  for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
}

bool supportedPrimitive(GLenum mode) {
  return mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP || mode == GL_TRIANGLE_FAN ||
         mode == GL_QUADS || mode == GL_QUAD_STRIP || mode == GL_POLYGON;
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
  if (!outsideBeginEnd()) return;
  if (mode > GL_POLYGON) return setError(GL_INVALID_ENUM);
  // Points and lines: the pair goes on, and nothing is drawn from here on.
  if (!supportedPrimitive(mode)) unsupported("glBegin", mode);
  primitive = mode;
  gl.inBeginEnd = true;
  count = 0;
  texCoordsGiven = coloursGiven = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gl.inBeginEnd) return;
  if (count == room) makeRoom();
  const float position[] = {x, y, z};
  put(positions, count, position, 3);
  put(normals, count, gl.normal.data(), 3);
  if (texCoordsGiven) put(texCoords, count, gl.texCoord, 2);
  if (coloursGiven) put(colours, count, gl.colour.data(), 4);
  ++count;
}

void glVertex3fv(const GLfloat* v) {
  glVertex3f(v[0], v[1], v[2]);
}

void glEnd() {
  if (!gl.inBeginEnd) return setError(GL_INVALID_OPERATION);
  gl.inBeginEnd = false;
  if (count == 0) return;
  const std::uint32_t first =
      addVertices({count, positions.data(), normals.data(), true,
                   texCoordsGiven ? texCoords.data() : gl.texCoord, texCoordsGiven,
                   coloursGiven ? colours.data() : gl.colour.data(), coloursGiven},
                  true);
  ids.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) ids[i] = first + i;
  drawPrimitive(primitive, {ids.data(), GL_UNSIGNED_INT, count, 0}, Source::immediate);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gl.inBeginEnd && gl.compilingList)
    return unsupported("glNormal3f", GL_COMPILE, GL_INVALID_OPERATION);
  gl.normal = {x, y, z};
}

void glNormal3fv(const GLfloat* v) {
  glNormal3f(v[0], v[1], v[2]);
}

// Between glBegin and glEnd, the vertices before the first texture
// coordinate or colour given there have the one current at glBegin, and
// each after has its own.
void glTexCoord2f(GLfloat s, GLfloat t) {
  if (!gl.inBeginEnd && gl.compilingList) {
    return unsupported("glTexCoord2f", GL_COMPILE, GL_INVALID_OPERATION);
  }
  if (gl.inBeginEnd && !texCoordsGiven) {
    for (std::uint32_t i = 0; i < count; ++i) put(texCoords, i, gl.texCoord, 2);
    texCoordsGiven = true;
  }
  gl.texCoord[0] = s;
  gl.texCoord[1] = t;
}

void glTexCoord2fv(const GLfloat* v) {
  glTexCoord2f(v[0], v[1]);
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  if (!gl.inBeginEnd && gl.compilingList)
    return unsupported("glColor4f", GL_COMPILE, GL_INVALID_OPERATION);
  if (gl.inBeginEnd && !coloursGiven) {
    for (std::uint32_t i = 0; i < count; ++i) put(colours, i, gl.colour.data(), 4);
    coloursGiven = true;
  }
  gl.colour = {red, green, blue, alpha};
}

void glColor4fv(const GLfloat* v) {
  glColor4f(v[0], v[1], v[2], v[3]);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  glColor4f(red, green, blue, 1.0f);
}

}  // extern "C"

// glBegin and glEnd with the vertices between them, each taking the
// current normal and texture coordinate.

#include <vector>

#include "gl/batch.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

GLenum primitive = 0;
bool inBeginEnd = false;
std::vector<std::uint32_t> ids;  // the pair's vertices in the frame

bool supportedPrimitive(GLenum mode) {
  return mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP || mode == GL_TRIANGLE_FAN ||
         mode == GL_QUADS || mode == GL_QUAD_STRIP || mode == GL_POLYGON;
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
  if (!supportedPrimitive(mode)) unsupported("glBegin", mode);
  primitive = mode;
  inBeginEnd = true;
  ids.clear();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!inBeginEnd) return;
  const float position[] = {x, y, z};
  ids.push_back(addVertex(position, gl.normal.data(), gl.texCoord));
}

void glVertex3fv(const GLfloat* v) {
  glVertex3f(v[0], v[1], v[2]);
}

void glEnd() {
  inBeginEnd = false;
  drawPrimitive(primitive, ids.data(), static_cast<std::uint32_t>(ids.size()));
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  gl.normal = {x, y, z};
}

void glNormal3fv(const GLfloat* v) {
  glNormal3f(v[0], v[1], v[2]);
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  gl.texCoord[0] = s;
  gl.texCoord[1] = t;
}

void glTexCoord2fv(const GLfloat* v) {
  glTexCoord2f(v[0], v[1]);
}

}  // extern "C"

// glBegin and glEnd with the vertices between them, each taking the
// current normal, texture coordinate and colour, which are set here.

#include <vector>

#include "gl/batch.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

GLenum primitive = 0;
std::vector<std::uint32_t> ids;  // the pair's vertices in the frame

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
  ids.clear();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gl.inBeginEnd) return;
  const float position[] = {x, y, z};
  ids.push_back(addVertex({position, gl.normal.data(), gl.texCoord, gl.colour.data()}));
}

void glVertex3fv(const GLfloat* v) {
  glVertex3f(v[0], v[1], v[2]);
}

void glEnd() {
  if (!gl.inBeginEnd) return setError(GL_INVALID_OPERATION);
  gl.inBeginEnd = false;
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

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  gl.colour = {red, green, blue, alpha};
}

void glColor4fv(const GLfloat* v) {
  glColor4f(v[0], v[1], v[2], v[3]);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  glColor4f(red, green, blue, 1.0f);
}

}  // extern "C"

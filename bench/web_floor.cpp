// The floor of the page's frame for the benchmark: the stand-in gathers,
// uploads and draws nothing, so that a frame is the program, GLU and GLUT's
// shapes alone. Linked in place of web/gl's immediate.cpp, arrays.cpp,
// batch.cpp and lists.cpp.

#include <GL/gl.h>

#include "gl/batch.h"
#include "gl/lists.h"

namespace standin {

std::uint32_t addVertices(const Vertices&) {
  return 0;
}

bool sameVertices(std::uint32_t, const Vertices&) {
  return true;
}

std::uint32_t frameVertexCount() {
  return 0;
}

void drawPrimitive(GLenum, const Ids&, bool) {}

void drawShortIds(GLenum, const GLushort*, std::uint32_t, std::uint32_t) {}

void flushDraws() {}

void forgetSentVertices() {}

void startGathering() {}

void drawList(GLuint, const lists::List&) {}

const lists::List& lists::drawn(GLuint) {
  static const List none;
  return none;
}

std::uint64_t flushCount() {
  return 0;
}

}  // namespace standin

extern "C" {

void glBegin(GLenum) {}
void glEnd() {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
void glVertex3fv(const GLfloat*) {}
void glNormal3f(GLfloat, GLfloat, GLfloat) {}
void glNormal3fv(const GLfloat*) {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glTexCoord2fv(const GLfloat*) {}
void glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glColor4fv(const GLfloat*) {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glEnableClientState(GLenum) {}
void glDisableClientState(GLenum) {}
void glVertexPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
void glNormalPointer(GLenum, GLsizei, const GLvoid*) {}
void glTexCoordPointer(GLint, GLenum, GLsizei, const GLvoid*) {}
void glDrawArrays(GLenum, GLint, GLsizei) {}
void glDrawElements(GLenum, GLsizei, GLenum, const GLvoid*) {}

// Lists are named, so GLUT keeps its shapes as it does in the page.
GLuint glGenLists(GLsizei range) {
  static GLuint last = 0;
  last += GLuint(range);
  return last - GLuint(range) + 1;
}
GLboolean glIsList(GLuint) {
  return GL_FALSE;
}
void glDeleteLists(GLuint, GLsizei) {}
void glNewList(GLuint, GLenum) {}
void glEndList() {}
void glCallList(GLuint) {}

}  // extern "C"

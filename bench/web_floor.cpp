// The floor of the page's frame for the benchmark: the stand-in gathers,
// uploads and draws nothing, so that a frame is the program, GLU and GLUT's
// shapes alone. Linked in place of web/gl's immediate.cpp, arrays.cpp and
// batch.cpp.

#include <GL/gl.h>

#include "gl/batch.h"

namespace standin {

std::uint32_t addVertex(const Vertex&) {
  return 0;
}

bool sameVertex(std::uint32_t, const Vertex&) {
  return true;
}

std::uint32_t frameVertexCount() {
  return 0;
}

void drawPrimitive(GLenum, const std::uint32_t*, std::uint32_t, bool) {}

void flushDraws() {}

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

}  // extern "C"

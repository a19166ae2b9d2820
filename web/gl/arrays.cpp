// Client-side vertex, normal and texture-coordinate arrays, drawn with
// glDrawArrays and glDrawElements. GLUT's shapes draw one strip after
// another from the same arrays, each strip a little further on, so the
// vertices the draws reach go into the frame once, in one run, and each
// draw's indices are only moved to where that run starts. The run holds
// until the arrays are named again (a gl*Pointer call, even with the same
// address, which a new shape's arrays may well have) or switched on or off,
// until the current normal or texture coordinate changes, or the frame is
// flushed. Like GLUT, a program must not write into arrays between two
// draws from them without naming them again.

#include <algorithm>
#include <cstring>
#include <vector>

#include "gl/batch.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

std::uint64_t arraysNamed = 0;  // counts every change of what the arrays are

// The arrays' vertices first to last (not included) are in the frame from
// `start` on, taken as the arrays were named `named`, with that current
// normal and texture coordinate, in that frame.
struct Run {
  std::uint64_t named = ~0ull, frame = ~0ull;
  Vec3 normal;
  float texCoord[2];
  GLuint first = 0, last = 0;
  std::uint32_t start = 0;
};

Run run;

void renamed() {
  ++arraysNamed;
}

bool runHolds() {
  return run.named == arraysNamed && run.frame == flushCount() && run.normal == gl.normal &&
         run.texCoord[0] == gl.texCoord[0] && run.texCoord[1] == gl.texCoord[1] &&
         run.start + (run.last - run.first) == frameVertexCount();
}

const GLfloat* element(const ClientArray& array, GLuint index) {
  const GLsizei step = array.stride != 0 ? array.stride / GLsizei(sizeof(GLfloat)) : array.size;
  return array.data + std::size_t(index) * step;
}

// Writes the arrays' vertex `index` as the frame lays vertices out.
void copyVertex(GLuint index, float* to, float* texCoord) {
  const GLfloat* v = element(gl.vertexArray, index);
  to[0] = v[0], to[1] = v[1], to[2] = gl.vertexArray.size > 2 ? v[2] : 0.0f;
  const float* normal = gl.normalArray.enabled ? element(gl.normalArray, index) : gl.normal.data();
  to[3] = normal[0], to[4] = normal[1], to[5] = normal[2];
  texCoord[0] = gl.texCoord[0], texCoord[1] = gl.texCoord[1];
  if (gl.texCoordArray.enabled) {
    const GLfloat* t = element(gl.texCoordArray, index);
    texCoord[0] = t[0];
    if (gl.texCoordArray.size > 1) texCoord[1] = t[1];
  }
}

// Makes the run reach the arrays' vertices first to last (not included):
// it goes on where it can, else a new one starts.
void reach(GLuint first, GLuint last) {
  if (!runHolds() || first < run.first) {
    run = {arraysNamed, flushCount(), gl.normal,         {gl.texCoord[0], gl.texCoord[1]},
           first,       first,        frameVertexCount()};
  }
  if (run.last >= last) return;
  NewVertices to = addVertices(last - run.last);
  for (; run.last < last; ++run.last, to.attributes += floatsPerVertex, to.texCoords += 2) {
    copyVertex(run.last, to.attributes, to.texCoords);
  }
}

template <typename Index>
void drawIndexed(GLenum mode, const Index* indices, GLsizei count) {
  if (!gl.vertexArray.enabled || count <= 0) return;
  const auto [lowest, highest] = std::minmax_element(indices, indices + count);
  reach(*lowest, GLuint(*highest) + 1);
  static std::vector<std::uint32_t> ids;
  ids.resize(std::size_t(count));
  for (GLsizei i = 0; i < count; ++i) ids[i] = run.start + (indices[i] - run.first);
  drawPrimitive(mode, ids.data(), static_cast<std::uint32_t>(count));
}

ClientArray* clientArray(GLenum array) {
  switch (array) {
    case GL_VERTEX_ARRAY:
      return &gl.vertexArray;
    case GL_NORMAL_ARRAY:
      return &gl.normalArray;
    case GL_TEXTURE_COORD_ARRAY:
      return &gl.texCoordArray;
    default:
      unsupported("glEnableClientState", array);
      return nullptr;
  }
}

}  // namespace

extern "C" {

void glEnableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = true;
  renamed();
}

void glDisableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = false;
  renamed();
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (type != GL_FLOAT || size < 2 || size > 4) return unsupported("glVertexPointer", type);
  gl.vertexArray = {gl.vertexArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
  renamed();
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (type != GL_FLOAT) return unsupported("glNormalPointer", type);
  gl.normalArray = {gl.normalArray.enabled, 3, stride, static_cast<const GLfloat*>(pointer)};
  renamed();
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (type != GL_FLOAT || size < 1 || size > 4) return unsupported("glTexCoordPointer", type);
  gl.texCoordArray = {gl.texCoordArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
  renamed();
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  std::vector<GLuint> indices(std::size_t(count > 0 ? count : 0));
  for (GLsizei i = 0; i < count; ++i) indices[i] = static_cast<GLuint>(first + i);
  drawIndexed(mode, indices.data(), count);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* pointer) {
  if (type == GL_UNSIGNED_SHORT)
    return drawIndexed(mode, static_cast<const GLushort*>(pointer), count);
  if (type == GL_UNSIGNED_INT) return drawIndexed(mode, static_cast<const GLuint*>(pointer), count);
  unsupported("glDrawElements", type);
}

}  // extern "C"

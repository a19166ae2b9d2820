// Client-side vertex, normal and texture-coordinate arrays, drawn with
// glDrawArrays and glDrawElements, which read them as they are at the
// draw. GLUT's shapes draw one strip after another from the same arrays,
// each strip a little further on, so the vertices the draws reach go into
// the frame once, in one run, and each draw's indices are only moved to
// where that run starts. A draw goes on with the run only where the
// vertices it shares with it are still the same: a program may write into
// its arrays between two draws.

#include <algorithm>
#include <vector>

#include "gl/batch.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

namespace {

// The arrays' vertices first to last (not included) are in the frame from
// `start` on, in that frame.
struct Run {
  std::uint64_t frame = ~0ull;
  GLuint first = 0, last = 0;
  std::uint32_t start = 0;
};

Run run;

const GLfloat* element(const ClientArray& array, GLuint index) {
  const GLsizei step = array.stride != 0 ? array.stride / GLsizei(sizeof(GLfloat)) : array.size;
  return array.data + std::size_t(index) * step;
}

// The arrays' vertex `index` as it is now; `position` and `texCoord` hold
// what the arrays leave out.
Vertex arrayVertex(GLuint index, float (&position)[3], float (&texCoord)[2]) {
  const GLfloat* v = element(gl.vertexArray, index);
  position[0] = v[0], position[1] = v[1], position[2] = gl.vertexArray.size > 2 ? v[2] : 0.0f;
  const float* normal = gl.normalArray.enabled ? element(gl.normalArray, index) : gl.normal.data();
  const float* coordinate = gl.texCoord;
  if (gl.texCoordArray.enabled) {
    const GLfloat* t = element(gl.texCoordArray, index);
    texCoord[0] = t[0];
    texCoord[1] = gl.texCoordArray.size > 1 ? t[1] : 0.0f;
    coordinate = texCoord;
  }
  return {position, normal, coordinate, gl.colour.data()};
}

// Whether the run's copies of the arrays' vertices first to last are what
// the arrays hold now.
bool unchanged(GLuint first, GLuint last) {
  float position[3], texCoord[2];
  for (GLuint i = first; i < last; ++i) {
    if (!sameVertex(run.start + (i - run.first), arrayVertex(i, position, texCoord))) return false;
  }
  return true;
}

// Makes the run reach the arrays' vertices first to last (not included):
// it goes on where it can, else a new one starts.
void reach(GLuint first, GLuint last) {
  const bool goesOn = run.frame == flushCount() && first >= run.first && first <= run.last &&
                      run.start + (run.last - run.first) == frameVertexCount() &&
                      unchanged(first, std::min(last, run.last));
  if (!goesOn) run = {flushCount(), first, first, frameVertexCount()};
  float position[3], texCoord[2];
  for (; run.last < last; ++run.last) addVertex(arrayVertex(run.last, position, texCoord));
}

bool drawable(GLenum mode, GLsizei count) {
  if (!outsideBeginEnd()) return false;
  if (mode > GL_POLYGON) {
    setError(GL_INVALID_ENUM);
    return false;
  }
  if (count < 0) {
    setError(GL_INVALID_VALUE);
    return false;
  }
  return gl.vertexArray.enabled && count > 0;
}

template <typename Index>
void drawFromArrays(GLenum mode, const Index* indices, GLsizei count, bool indexed) {
  const auto [lowest, highest] = std::minmax_element(indices, indices + count);
  reach(*lowest, GLuint(*highest) + 1);
  static std::vector<std::uint32_t> ids;
  ids.resize(std::size_t(count));
  for (GLsizei i = 0; i < count; ++i) ids[i] = run.start + (indices[i] - run.first);
  drawPrimitive(mode, ids.data(), static_cast<std::uint32_t>(count), indexed);
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

// An array the stand-in reads as GL does: floats, at a whole number of
// floats from one element to the next.
bool readable(const char* call, GLenum type, GLsizei stride) {
  if (stride < 0) {
    setError(GL_INVALID_VALUE);
    return false;
  }
  if (type != GL_FLOAT) {
    unsupported(call, type);
    return false;
  }
  if (stride % GLsizei(sizeof(GLfloat)) != 0) {
    unsupported(call, unsigned(stride), GL_INVALID_VALUE);
    return false;
  }
  return true;
}

}  // namespace

extern "C" {

void glEnableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = true;
}

void glDisableClientState(GLenum array) {
  if (ClientArray* a = clientArray(array)) a->enabled = false;
}

// A fourth coordinate, w or q, would divide the others; the stand-in takes
// none.
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (size < 2 || size > 4) return setError(GL_INVALID_VALUE);
  if (!readable("glVertexPointer", type, stride)) return;
  if (size == 4) return unsupported("glVertexPointer", GLenum(size), GL_INVALID_VALUE);
  gl.vertexArray = {gl.vertexArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (!readable("glNormalPointer", type, stride)) return;
  gl.normalArray = {gl.normalArray.enabled, 3, stride, static_cast<const GLfloat*>(pointer)};
}

void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
  if (size < 1 || size > 4) return setError(GL_INVALID_VALUE);
  if (!readable("glTexCoordPointer", type, stride)) return;
  if (size == 4) return unsupported("glTexCoordPointer", GLenum(size), GL_INVALID_VALUE);
  gl.texCoordArray = {gl.texCoordArray.enabled, size, stride, static_cast<const GLfloat*>(pointer)};
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (first < 0) return setError(GL_INVALID_VALUE);
  if (!drawable(mode, count)) return;
  std::vector<GLuint> indices(static_cast<std::size_t>(count));
  for (GLsizei i = 0; i < count; ++i) indices[i] = static_cast<GLuint>(first + i);
  drawFromArrays(mode, indices.data(), count, false);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* pointer) {
  if (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT) {
    return setError(GL_INVALID_ENUM);
  }
  if (!drawable(mode, count)) return;
  if (type == GL_UNSIGNED_BYTE)
    return drawFromArrays(mode, static_cast<const GLubyte*>(pointer), count, true);
  if (type == GL_UNSIGNED_SHORT)
    return drawFromArrays(mode, static_cast<const GLushort*>(pointer), count, true);
  drawFromArrays(mode, static_cast<const GLuint*>(pointer), count, true);
}

}  // extern "C"

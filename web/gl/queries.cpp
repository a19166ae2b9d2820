// The state the program and GLUT's shapes read back: the error, the
// renderer's texture limit and the current colour.

#include "gl/queries.h"

#include <webgl/webgl1.h>

#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

// The renderer's, asked once it has a context to ask.
GLint standin::maxTextureSize() {
  static GLint size = 0;
  if (size == 0) emscripten_glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  return size;
}

extern "C" {

GLenum glGetError() {
  const GLenum error = gl.error;
  gl.error = GL_NO_ERROR;
  return error;
}

void glGetIntegerv(GLenum pname, GLint* params) {
  if (pname != GL_MAX_TEXTURE_SIZE) return unsupported("glGetIntegerv", pname);
  *params = maxTextureSize();
}

void glGetFloatv(GLenum pname, GLfloat* params) {
  if (pname != GL_CURRENT_COLOR) return unsupported("glGetFloatv", pname);
  for (int i = 0; i < 4; ++i) params[i] = gl.colour[i];
}

}  // extern "C"

// The state the program and GLUT's shapes read back: the error, the
// renderer's texture limit and the current colour.

#include "gl/device.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

extern "C" {

GLenum glGetError() {
  if (!outsideBeginEnd()) return GL_NO_ERROR;
  const GLenum error = gl.error;
  gl.error = GL_NO_ERROR;
  return error;
}

void glGetIntegerv(GLenum pname, GLint* params) {
  if (!outsideBeginEnd()) return;
  if (pname != GL_MAX_TEXTURE_SIZE) return unsupported("glGetIntegerv", pname);
  *params = device::maxTextureSize();
}

void glGetFloatv(GLenum pname, GLfloat* params) {
  if (!outsideBeginEnd()) return;
  if (pname != GL_CURRENT_COLOR) return unsupported("glGetFloatv", pname);
  for (int i = 0; i < 4; ++i) params[i] = gl.colour[i];
}

}  // extern "C"

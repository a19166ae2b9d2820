#include "gl/state.h"

namespace standin {

State gl;

void setError(GLenum error) {
  if (gl.error == GL_NO_ERROR) gl.error = error;
}

bool windowHasAccumulation() {
  return (gl.windowMode & 0x0004) != 0;  // GLUT_ACCUM
}

// Two-dimensional texturing wins where both are on, as in GL.
GLenum enabledTextureTarget() {
  if (gl.texture.enabled2D) return GL_TEXTURE_2D;
  if (gl.texture.enabled1D) return GL_TEXTURE_1D;
  return 0;
}

}  // namespace standin

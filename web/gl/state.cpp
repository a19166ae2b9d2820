#include "gl/state.h"

namespace standin {

State gl;

void setError(GLenum error) {
  if (gl.error == GL_NO_ERROR) gl.error = error;
}

}  // namespace standin

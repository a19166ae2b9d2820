#include "gl/state.h"

namespace standin {

State gl;

void setError(GLenum error) {
  if (gl.error == GL_NO_ERROR) gl.error = error;
}

bool outsideBeginEnd() {
  if (gl.inBeginEnd) setError(GL_INVALID_OPERATION);
  return !gl.inBeginEnd;
}

}  // namespace standin

#include "gl/state.h"

#include "gl/unsupported.h"

namespace standin {

State gl;

void setError(GLenum error) {
  if (gl.error == GL_NO_ERROR) gl.error = error;
}

bool outsideBeginEnd() {
  if (gl.inBeginEnd) setError(GL_INVALID_OPERATION);
  return !gl.inBeginEnd;
}

bool changesStateNow(const char* call) {
  if (!outsideBeginEnd()) return false;
  if (gl.compilingList) unsupported(call, GL_COMPILE, GL_INVALID_OPERATION);
  return !gl.compilingList;
}

}  // namespace standin

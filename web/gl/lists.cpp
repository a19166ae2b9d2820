#include "gl/lists.h"

#include <map>

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"
#include "gl/unsupported.h"

namespace standin::lists {

namespace {

std::map<GLuint, List> made;
GLuint lastName = 0;
GLuint compiledName = 0;  // the list being compiled; 0 when none is
List compiled;

}  // namespace

List* compiling() {
  return compiledName != 0 ? &compiled : nullptr;
}

const List& drawn(GLuint name) {
  return made.at(name);
}

}  // namespace standin::lists

using namespace standin;
using namespace standin::lists;

extern "C" {

GLuint glGenLists(GLsizei range) {
  if (!outsideBeginEnd()) return 0;
  if (range < 0) {
    setError(GL_INVALID_VALUE);
    return 0;
  }
  if (range == 0 || lastName > UINT32_MAX - GLuint(range)) return 0;
  const GLuint first = lastName + 1;
  lastName += GLuint(range);
  return first;
}

GLboolean glIsList(GLuint list) {
  if (!outsideBeginEnd()) return GL_FALSE;
  return made.count(list) != 0 ? GL_TRUE : GL_FALSE;
}

void glDeleteLists(GLuint list, GLsizei range) {
  if (!outsideBeginEnd()) return;
  if (range < 0) return setError(GL_INVALID_VALUE);
  flushDraws();
  for (GLsizei i = 0; i < range; ++i) {
    if (made.erase(list + GLuint(i)) != 0) device::forgetList(list + GLuint(i));
  }
}

// Only compiling, not compiling and running at once, and of draws alone.
void glNewList(GLuint list, GLenum mode) {
  if (!outsideBeginEnd()) return;
  if (list == 0) return setError(GL_INVALID_VALUE);
  if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return setError(GL_INVALID_ENUM);
  if (compiledName != 0) return setError(GL_INVALID_OPERATION);
  if (mode != GL_COMPILE) return unsupported("glNewList", mode);
  // Draws called before go out first, with the lists as they are now.
  flushDraws();
  compiledName = list;
  compiled = List{};
  gl.compilingList = true;
  startGathering();
}

void glEndList() {
  if (!outsideBeginEnd()) return;
  if (compiledName == 0) return setError(GL_INVALID_OPERATION);
  device::forgetList(compiledName);
  made[compiledName] = std::move(compiled);
  lastName = std::max(lastName, compiledName);
  compiledName = 0;
  gl.compilingList = false;
  startGathering();
}

void glCallList(GLuint list) {
  if (!outsideBeginEnd()) return;
  if (compiledName != 0) return unsupported("glCallList", list, GL_INVALID_OPERATION);
  const auto found = made.find(list);
  if (found != made.end()) drawList(list, found->second);
}

}  // extern "C"

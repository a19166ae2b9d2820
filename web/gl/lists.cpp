#include "gl/lists.h"

#include <map>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/compiled_draw.h"
#include "gl/state.h"

namespace standin::lists {

namespace {

// GL's list names in use: glGenLists makes empty lists, as Mesa does, so
// that the names it gave are taken. As in Mesa, new names follow the
// highest ever taken while there are names above it.
std::map<GLuint, std::shared_ptr<List>> made;
GLuint highest = 0;

void take(GLuint name, std::shared_ptr<List> list) {
  made[name] = std::move(list);
  highest = std::max(highest, name);
}

// The list being made: one of GL's names, or one of the stand-in's own.
struct Making {
  GLenum mode = 0;
  GLuint name = 0;
  std::shared_ptr<List> list;
  bool pair = false;                       // a glBegin compiled without its glEnd
  std::shared_ptr<CompiledDraw> lastDraw;  // the list's last command, if a draw
};
Making making;
// A private list made while no list of the program's is, and what was being
// made before it.
std::vector<Making> outer;

// Lists called from lists, as deep as Mesa takes them.
constexpr int maxNesting = 64;
int depth = 0;

void callName(GLuint name) {
  const auto found = made.find(name);
  if (found == made.end()) return;
  // The list is kept alive while it runs, even if it deletes itself.
  const std::shared_ptr<List> list = found->second;
  call(*list);
}

// glCallLists's names, each `base` plus the next of `n` values of `type`.
bool readNames(GLsizei n, GLenum type, const void* values, std::vector<GLuint>& names) {
  const auto* bytes = static_cast<const std::uint8_t*>(values);
  for (GLsizei i = 0; i < n; ++i) {
    switch (type) {
      case GL_BYTE:
        names.push_back(GLuint(std::int32_t(static_cast<const GLbyte*>(values)[i])));
        break;
      case GL_UNSIGNED_BYTE:
        names.push_back(bytes[i]);
        break;
      case GL_SHORT:
        names.push_back(GLuint(std::int32_t(static_cast<const GLshort*>(values)[i])));
        break;
      case GL_UNSIGNED_SHORT:
        names.push_back(static_cast<const GLushort*>(values)[i]);
        break;
      case GL_INT:
        names.push_back(GLuint(static_cast<const GLint*>(values)[i]));
        break;
      case GL_UNSIGNED_INT:
        names.push_back(static_cast<const GLuint*>(values)[i]);
        break;
      case GL_FLOAT:
        names.push_back(GLuint(static_cast<const GLfloat*>(values)[i]));
        break;
      case GL_2_BYTES:
        names.push_back(GLuint(bytes[2 * i]) * 256 + bytes[2 * i + 1]);
        break;
      case GL_3_BYTES:
        names.push_back((GLuint(bytes[3 * i]) * 256 + bytes[3 * i + 1]) * 256 + bytes[3 * i + 2]);
        break;
      case GL_4_BYTES:
        names.push_back(((GLuint(bytes[4 * i]) * 256 + bytes[4 * i + 1]) * 256 + bytes[4 * i + 2]) *
                            256 +
                        bytes[4 * i + 3]);
        break;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace

GLenum mode() {
  return making.mode;
}

void keep(Command command) {
  making.list->commands.push_back(std::move(command));
  making.lastDraw = nullptr;
}

std::shared_ptr<CompiledDraw> lastDraw() {
  return making.lastDraw;
}

void keepDraw(const std::shared_ptr<CompiledDraw>& draw) {
  keep([draw] { runCompiled(*draw); });
  making.lastDraw = draw;
}

bool compilingPair() {
  return making.pair;
}

GLuint makingName() {
  return making.name;
}

void setCompilingPair(bool compiling) {
  making.pair = compiling;
}

void call(const List& list) {
  if (depth >= maxNesting) return;
  ++depth;
  for (const Command& command : list.commands) command();
  --depth;
}

void makePrivate(const std::shared_ptr<List>& list) {
  outer.push_back(making);
  making = {GL_COMPILE, 0, list, false, nullptr};
}

void endPrivate() {
  making = outer.back();
  outer.pop_back();
}

}  // namespace standin::lists

using namespace standin;
using namespace standin::lists;

extern "C" {

GLuint glGenLists(GLsizei range) {
  if (!outsideBeginEnd() || !validValue(range >= 0)) return 0;
  if (range == 0) return 0;
  // After the highest name taken, or where there is no room above it, the
  // first of `range` free names in a row.
  const auto count = GLuint(range);
  GLuint first = highest + 1;
  if (highest > UINT32_MAX - count) {
    first = 1;
    for (auto it = made.lower_bound(first); it != made.end() && first <= UINT32_MAX - count;) {
      if (it->first >= first + count) break;
      first = it->first + 1;
      it = made.lower_bound(first);
    }
    if (first > UINT32_MAX - count + 1) {
      setError(GL_OUT_OF_MEMORY);
      return 0;
    }
  }
  for (GLuint i = 0; i < count; ++i) take(first + i, std::make_shared<List>());
  return first;
}

GLboolean glIsList(GLuint list) {
  if (!outsideBeginEnd()) return GL_FALSE;
  return made.count(list) != 0 ? GL_TRUE : GL_FALSE;
}

void glDeleteLists(GLuint list, GLsizei range) {
  if (!outsideBeginEnd() || !validValue(range >= 0)) return;
  // Draws gathered before may be drawn from a list deleted now.
  flushDraws();
  for (GLsizei i = 0; i < range && list + GLuint(i) >= list; ++i) made.erase(list + GLuint(i));
}

void glNewList(GLuint list, GLenum listMode) {
  if (!outsideBeginEnd() || !validValue(list != 0)) return;
  if (!knownEnum(listMode, {GL_COMPILE, GL_COMPILE_AND_EXECUTE})) return;
  if (making.mode != 0) return setError(GL_INVALID_OPERATION);
  making = {listMode, list, std::make_shared<List>(), false, nullptr};
}

// The list made replaces the one of its name only now, so a list may call
// the one it replaces while it is made.
void glEndList() {
  if (!outsideBeginEnd()) return;
  if (making.mode == 0 || making.name == 0) return setError(GL_INVALID_OPERATION);
  flushDraws();
  take(making.name, std::move(making.list));
  making = Making{};
}

void glCallList(GLuint list) {
  perform([list] { callName(list); });
}

void glCallLists(GLsizei n, GLenum type, const GLvoid* lists) {
  std::vector<GLuint> names;
  if (!validValue(n >= 0) || !knownEnum(readNames(n, type, lists, names))) return;
  // The base is the one current when the names are called.
  perform([names = std::move(names)] {
    const GLuint base = gl.list.base;
    for (GLuint name : names) callName(base + name);
  });
}

void glListBase(GLuint base) {
  perform([base] {
    if (outsideBeginEnd()) gl.list.base = base;
  });
}

}  // extern "C"

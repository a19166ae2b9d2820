#pragma once

// Display lists, as Mesa's dlist.c keeps them: each call a list may hold
// is kept in the list being made as a command run when the list is
// called, or run now as well, or only run now, as the list's mode says;
// `perform` is where that is decided, for every such call. A draw is kept
// with its vertices, as the program gave them then (compiled_draw.h).
// GL's list names are the program's alone: GLUT keeps its shapes in lists
// of its own, outside them.

#include <GL/gl.h>

#include <functional>
#include <memory>
#include <vector>

#include "gl/state.h"

namespace standin {
struct CompiledDraw;
}

namespace standin::lists {

using Command = std::function<void()>;

struct List {
  std::vector<Command> commands;
};

// The mode of the list being made: GL_COMPILE, GL_COMPILE_AND_EXECUTE, or
// 0 when none is.
GLenum mode();

// Keeps `command` in the list being made.
void keep(Command command);

// Whether glBegin has been compiled into the list being made without its
// glEnd: vertices go to the list's draw, and any other call kept is GL's
// error when the list runs.
bool compilingPair();
void setCompilingPair(bool compiling);

// The compiled draw the list being made ends with, which a draw compiled
// next may join; null when its last command is another.
std::shared_ptr<CompiledDraw> lastDraw();
// Keeps a compiled draw in the list being made.
void keepDraw(const std::shared_ptr<CompiledDraw>& draw);

// Runs a list, as glCallList does, at the depth of lists calling lists GL
// allows.
void call(const List& list);

// A list of the stand-in's own, outside GL's names: what the calls between
// `makePrivate` and `endPrivate` compile goes into it, as glNewList with
// GL_COMPILE would; `callPrivate` runs it. For GLUT's shapes.
void makePrivate(const std::shared_ptr<List>& list);
void endPrivate();

}  // namespace standin::lists

namespace standin {

// Runs `call`, keeps it in the list being made, or both, as the list's
// mode says. Between a compiled glBegin and glEnd, only vertex calls may
// be kept; another is GL's error when the list runs.
template <typename Call>
void perform(Call&& call) {
  const GLenum mode = lists::mode();
  if (mode != 0) {
    if (lists::compilingPair()) {
      lists::keep([] { setError(GL_INVALID_OPERATION); });
    } else {
      lists::keep(call);
    }
  }
  if (mode != GL_COMPILE) call();
}

}  // namespace standin

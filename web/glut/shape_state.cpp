// The state the shape code reads, and its messages, which go to standard
// error as GLUT's own do.

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "fg_internal.h"
#include "gl/checks.h"

SFG_Structure fgStructure = {nullptr};
SFG_State fgState = {GL_FALSE, GL_FALSE};

namespace {

void say(const char* kind, const char* format, std::va_list arguments) {
  std::fprintf(stderr, "freeglut %s: ", kind);
  std::vfprintf(stderr, format, arguments);
  std::fputc('\n', stderr);
}

}  // namespace

extern "C" {

void fgError(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  say("error", format, arguments);
  va_end(arguments);
  std::exit(1);
}

void fgWarning(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  say("warning", format, arguments);
  va_end(arguments);
}

void fghUnavailable(const char* call) {
  standin::refuse(call, "GLUT's OpenGL 2 path");
}

}  // extern "C"

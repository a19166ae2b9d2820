#include "gl/unsupported.h"

#include <cstdio>

#include "gl/state.h"

namespace {

bool stopped = false;

}  // namespace

void unsupported(const char* call, unsigned value, GLenum error) {
  standin::setError(error);
  if (stopped) return;
  stopped = true;
  std::fprintf(stderr,
               "marblechess: the browser's stand-in for OpenGL does not implement %s with 0x%04X;"
               " drawing stops\n",
               call, value);
}

bool drawingStopped() {
  return stopped;
}

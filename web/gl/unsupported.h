#pragma once

#include <GL/gl.h>

// A GL call or value the browser's stand-in does not implement is refused
// as GL refuses a value it does not know, with `error`, and said once, on
// standard error; from then on nothing more is drawn: a scene drawn wrong
// in silence would be worse than none.
void unsupported(const char* call, unsigned value, GLenum error = GL_INVALID_ENUM);
bool drawingStopped();

#pragma once

// GL's rules for a call, each checked in one place, and what the stand-in
// does with what GL takes but it cannot draw.
//
// A call that breaks one of GL's rules records GL's error and has no
// effect, as in GL: between glBegin and glEnd only the vertex calls may
// come (GL_INVALID_OPERATION); an enum the call does not know is
// GL_INVALID_ENUM; a value out of its range GL_INVALID_VALUE. Each check
// returns whether the call may go on.
//
// What GL takes and the stand-in cannot draw exactly is refused: GL's
// error where GL has one, one line on standard error naming the call and
// the value, and nothing drawn from then on, since a scene drawn wrong in
// silence would be worse than none.

#include <GL/gl.h>

#include <initializer_list>

namespace standin {

bool outsideBeginEnd();
bool knownEnum(bool known);
bool knownEnum(GLenum value, std::initializer_list<GLenum> known);
bool validValue(bool valid);

// Refuses `call` with the value `value` (an enum, shown by its name where
// the stand-in knows it); `error` is GL's own error for it, if any.
void refuse(const char* call, GLenum value, GLenum error = GL_NO_ERROR);
// The same with the value said in words.
void refuse(const char* call, const char* value, GLenum error = GL_NO_ERROR);
bool drawingStopped();

// Whether a draw now would be refused for what the fragments go through:
// a logic operation other than copying, which WebGL cannot give. Refuses
// it where so.
bool fragmentsRefused();

// The name of a GL enum, or its number in hexadecimal.
const char* enumName(GLenum value);

}  // namespace standin

#include "gl/checks.h"

#include <cstdio>

#include "gl/state.h"

namespace standin {

namespace {

bool stopped = false;

struct Named {
  GLenum value;
  const char* name;
};

// The enums a refusal may name.
constexpr Named names[] = {
    {GL_POINT_SMOOTH, "GL_POINT_SMOOTH"},
    {GL_LINE_SMOOTH, "GL_LINE_SMOOTH"},
    {GL_POLYGON_SMOOTH, "GL_POLYGON_SMOOTH"},
    {GL_COLOR_LOGIC_OP, "GL_COLOR_LOGIC_OP"},
    {GL_INDEX_LOGIC_OP, "GL_INDEX_LOGIC_OP"},
    {GL_AUTO_NORMAL, "GL_AUTO_NORMAL"},
    {GL_MAP1_VERTEX_3, "GL_MAP1_VERTEX_3"},
    {GL_MAP2_VERTEX_3, "GL_MAP2_VERTEX_3"},
    {GL_SELECT, "GL_SELECT"},
    {GL_FEEDBACK, "GL_FEEDBACK"},
    {GL_ACCUM, "GL_ACCUM"},
    {GL_LOAD, "GL_LOAD"},
    {GL_RETURN, "GL_RETURN"},
    {GL_MULT, "GL_MULT"},
    {GL_ADD, "GL_ADD"},
    {GL_COLOR_INDEX, "GL_COLOR_INDEX"},
    {GL_STENCIL_INDEX, "GL_STENCIL_INDEX"},
    {GL_DEPTH_COMPONENT, "GL_DEPTH_COMPONENT"},
    {GL_BITMAP, "GL_BITMAP"},
    {GL_FRONT_LEFT, "GL_FRONT_LEFT"},
    {GL_FRONT_RIGHT, "GL_FRONT_RIGHT"},
    {GL_BACK_LEFT, "GL_BACK_LEFT"},
    {GL_BACK_RIGHT, "GL_BACK_RIGHT"},
    {GL_FRONT, "GL_FRONT"},
    {GL_LEFT, "GL_LEFT"},
    {GL_RIGHT, "GL_RIGHT"},
    {GL_FRONT_AND_BACK, "GL_FRONT_AND_BACK"},
    {GL_AUX0, "GL_AUX0"},
    {GL_NONE, "GL_NONE"},
    {GL_CLEAR, "GL_CLEAR"},
    {GL_AND, "GL_AND"},
    {GL_AND_REVERSE, "GL_AND_REVERSE"},
    {GL_AND_INVERTED, "GL_AND_INVERTED"},
    {GL_NOOP, "GL_NOOP"},
    {GL_XOR, "GL_XOR"},
    {GL_OR, "GL_OR"},
    {GL_NOR, "GL_NOR"},
    {GL_EQUIV, "GL_EQUIV"},
    {GL_INVERT, "GL_INVERT"},
    {GL_OR_REVERSE, "GL_OR_REVERSE"},
    {GL_COPY_INVERTED, "GL_COPY_INVERTED"},
    {GL_OR_INVERTED, "GL_OR_INVERTED"},
    {GL_NAND, "GL_NAND"},
    {GL_SET, "GL_SET"},
    {GL_DEPTH, "GL_DEPTH"},
    {GL_STENCIL, "GL_STENCIL"},
};

}  // namespace

const char* enumName(GLenum value) {
  for (const Named& n : names) {
    if (n.value == value) return n.name;
  }
  static char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04X", value);
  return hex;
}

bool outsideBeginEnd() {
  if (gl.inBeginEnd) setError(GL_INVALID_OPERATION);
  return !gl.inBeginEnd;
}

bool knownEnum(bool known) {
  if (!known) setError(GL_INVALID_ENUM);
  return known;
}

bool knownEnum(GLenum value, std::initializer_list<GLenum> known) {
  for (GLenum k : known) {
    if (k == value) return true;
  }
  return knownEnum(false);
}

bool validValue(bool valid) {
  if (!valid) setError(GL_INVALID_VALUE);
  return valid;
}

void refuse(const char* call, const char* value, GLenum error) {
  if (error != GL_NO_ERROR) setError(error);
  if (stopped) return;
  stopped = true;
  std::fprintf(stderr,
               "marblechess: the browser's stand-in for OpenGL cannot draw %s with %s; drawing"
               " stops\n",
               call, value);
}

void refuse(const char* call, GLenum value, GLenum error) {
  refuse(call, enumName(value), error);
}

bool drawingStopped() {
  return stopped;
}

}  // namespace standin

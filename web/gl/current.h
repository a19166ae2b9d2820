#pragma once

// The current vertex attributes, as glNormal, glColor, glTexCoord and
// glEdgeFlag set them, and the vertices glVertex makes: between glBegin
// and glEnd they go to the draw being gathered (immediate.cpp), in a list
// being made to the list's draw, and elsewhere they set GL's current
// values, or are kept in the list being made.

#include <GL/gl.h>

#include <algorithm>

namespace standin {

void setNormal(float x, float y, float z);
void setColour(float r, float g, float b, float a);
void setTexCoord(float s, float t, float r, float q);
void setEdgeFlag(bool flag);
void addVertex(float x, float y, float z, float w);

// GL's conversions of integer colour and normal components to floats.
inline float fromByte(GLbyte v) {
  return (2.0f * float(v) + 1.0f) / 255.0f;
}
inline float fromShort(GLshort v) {
  return (2.0f * float(v) + 1.0f) / 65535.0f;
}
inline float fromInt(GLint v) {
  return float((2.0 * double(v) + 1.0) / 4294967295.0);
}
inline float fromUnsignedByte(GLubyte v) {
  return float(v) / 255.0f;
}
inline float fromUnsignedShort(GLushort v) {
  return float(v) / 65535.0f;
}
inline float fromUnsignedInt(GLuint v) {
  return float(double(v) / 4294967295.0);
}
// GL's mapping of a colour component to an integer, as glGet gives it,
// cut towards zero as the desktop's renderer cuts it.
inline GLint colourToInt(double c) {
  return GLint(std::clamp(c, -1.0, 1.0) * 2147483647.0);
}

}  // namespace standin

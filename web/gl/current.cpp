// Every form of glVertex, glNormal, glColor, glTexCoord and glEdgeFlag:
// each turns its values into floats as GL does and hands them on. The
// index of colour-index mode has no effect on an RGBA window.

#include "gl/current.h"

#include "gl/lists.h"
#include "gl/state.h"

using namespace standin;

namespace {

float fromFloat(double v) {
  return float(v);
}

}  // namespace

// glVertex2, 3 and 4 of one type: VERTEX(suffix, type).
#define VERTEX(suffix, type)                                       \
  void glVertex2##suffix(type x, type y) {                         \
    addVertex(float(x), float(y), 0, 1);                           \
  }                                                                \
  void glVertex3##suffix(type x, type y, type z) {                 \
    addVertex(float(x), float(y), float(z), 1);                    \
  }                                                                \
  void glVertex4##suffix(type x, type y, type z, type w) {         \
    addVertex(float(x), float(y), float(z), float(w));             \
  }                                                                \
  void glVertex2##suffix##v(const type* v) {                       \
    addVertex(float(v[0]), float(v[1]), 0, 1);                     \
  }                                                                \
  void glVertex3##suffix##v(const type* v) {                       \
    addVertex(float(v[0]), float(v[1]), float(v[2]), 1);           \
  }                                                                \
  void glVertex4##suffix##v(const type* v) {                       \
    addVertex(float(v[0]), float(v[1]), float(v[2]), float(v[3])); \
  }

#define TEXCOORD(suffix, type)                                       \
  void glTexCoord1##suffix(type s) {                                 \
    setTexCoord(float(s), 0, 0, 1);                                  \
  }                                                                  \
  void glTexCoord2##suffix(type s, type t) {                         \
    setTexCoord(float(s), float(t), 0, 1);                           \
  }                                                                  \
  void glTexCoord3##suffix(type s, type t, type r) {                 \
    setTexCoord(float(s), float(t), float(r), 1);                    \
  }                                                                  \
  void glTexCoord4##suffix(type s, type t, type r, type q) {         \
    setTexCoord(float(s), float(t), float(r), float(q));             \
  }                                                                  \
  void glTexCoord1##suffix##v(const type* v) {                       \
    setTexCoord(float(v[0]), 0, 0, 1);                               \
  }                                                                  \
  void glTexCoord2##suffix##v(const type* v) {                       \
    setTexCoord(float(v[0]), float(v[1]), 0, 1);                     \
  }                                                                  \
  void glTexCoord3##suffix##v(const type* v) {                       \
    setTexCoord(float(v[0]), float(v[1]), float(v[2]), 1);           \
  }                                                                  \
  void glTexCoord4##suffix##v(const type* v) {                       \
    setTexCoord(float(v[0]), float(v[1]), float(v[2]), float(v[3])); \
  }

// glColor3 and 4 of one type, each component turned by `convert`.
#define COLOUR(suffix, type, convert)                                      \
  void glColor3##suffix(type r, type g, type b) {                          \
    setColour(convert(r), convert(g), convert(b), 1);                      \
  }                                                                        \
  void glColor4##suffix(type r, type g, type b, type a) {                  \
    setColour(convert(r), convert(g), convert(b), convert(a));             \
  }                                                                        \
  void glColor3##suffix##v(const type* v) {                                \
    setColour(convert(v[0]), convert(v[1]), convert(v[2]), 1);             \
  }                                                                        \
  void glColor4##suffix##v(const type* v) {                                \
    setColour(convert(v[0]), convert(v[1]), convert(v[2]), convert(v[3])); \
  }

#define NORMAL(suffix, type, convert)                       \
  void glNormal3##suffix(type x, type y, type z) {          \
    setNormal(convert(x), convert(y), convert(z));          \
  }                                                         \
  void glNormal3##suffix##v(const type* v) {                \
    setNormal(convert(v[0]), convert(v[1]), convert(v[2])); \
  }

#define INDEX(suffix, type)                         \
  void glIndex##suffix(type c) {                    \
    const float value = float(c);                   \
    perform([value] { gl.current.index = value; }); \
  }                                                 \
  void glIndex##suffix##v(const type* c) {          \
    glIndex##suffix(*c);                            \
  }

extern "C" {

VERTEX(s, GLshort)
VERTEX(i, GLint)
VERTEX(f, GLfloat)
VERTEX(d, GLdouble)

TEXCOORD(s, GLshort)
TEXCOORD(i, GLint)
TEXCOORD(f, GLfloat)
TEXCOORD(d, GLdouble)

COLOUR(b, GLbyte, fromByte)
COLOUR(s, GLshort, fromShort)
COLOUR(i, GLint, fromInt)
COLOUR(f, GLfloat, fromFloat)
COLOUR(d, GLdouble, fromFloat)
COLOUR(ub, GLubyte, fromUnsignedByte)
COLOUR(us, GLushort, fromUnsignedShort)
COLOUR(ui, GLuint, fromUnsignedInt)

NORMAL(b, GLbyte, fromByte)
NORMAL(s, GLshort, fromShort)
NORMAL(i, GLint, fromInt)
NORMAL(f, GLfloat, fromFloat)
NORMAL(d, GLdouble, fromFloat)

INDEX(s, GLshort)
INDEX(i, GLint)
INDEX(f, GLfloat)
INDEX(d, GLdouble)
INDEX(ub, GLubyte)

void glEdgeFlag(GLboolean flag) {
  setEdgeFlag(flag != GL_FALSE);
}

void glEdgeFlagv(const GLboolean* flag) {
  setEdgeFlag(*flag != GL_FALSE);
}

}  // extern "C"

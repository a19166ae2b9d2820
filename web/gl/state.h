#pragma once

// The fixed-function state the stand-in keeps for the calls that set it;
// each GL area's file (matrix, lighting, texturing, capabilities,
// immediate, arrays) changes its part, and the draws read it all.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/matrices.h"

namespace standin {

using matrices::Mat4;
using matrices::Vec3;
using matrices::Vec4;

struct Material {
  Vec4 ambient{0.2f, 0.2f, 0.2f, 1.0f};
  Vec4 diffuse{0.8f, 0.8f, 0.8f, 1.0f};
  Vec4 specular{0.0f, 0.0f, 0.0f, 1.0f};
  Vec4 emission{0.0f, 0.0f, 0.0f, 1.0f};
  float shininess = 0.0f;
};

// Light 0's defaults; the position and direction are in eye coordinates.
struct Light {
  Vec4 ambient{0.0f, 0.0f, 0.0f, 1.0f};
  Vec4 diffuse{1.0f, 1.0f, 1.0f, 1.0f};
  Vec4 specular{1.0f, 1.0f, 1.0f, 1.0f};
  Vec4 position{0.0f, 0.0f, 1.0f, 0.0f};
  Vec3 spotDirection{0.0f, 0.0f, -1.0f};
  float spotExponent = 0.0f;
  float spotCutoff = 180.0f;
  float constantAttenuation = 1.0f;
  float linearAttenuation = 0.0f;
  float quadraticAttenuation = 0.0f;
};

struct ClientArray {
  bool enabled = false;
  GLint size = 0;
  GLsizei stride = 0;  // in bytes; 0 when the elements lie one after another
  const GLfloat* data = nullptr;
};

// GL's limit on each matrix stack, as Mesa sets it.
constexpr std::size_t matrixStackDepth = 32;

struct State {
  GLenum matrixMode = GL_MODELVIEW;
  std::vector<Mat4> modelview{Mat4{}};
  std::vector<Mat4> projection{Mat4{}};
  bool lighting = false, light0 = false, normalizing = false, texturing = false;
  bool generateS = false, generateT = false;
  GLenum generateModeS = GL_EYE_LINEAR, generateModeT = GL_EYE_LINEAR;
  Material material;
  Light light;
  Vec4 sPlane{1, 0, 0, 0}, tPlane{0, 1, 0, 0};
  Vec3 normal{0, 0, 1};
  float texCoord[2] = {0, 0};
  Vec4 colour{1, 1, 1, 1};
  ClientArray vertexArray, normalArray, texCoordArray;
  GLuint boundTexture = 0;
  GLint unpackAlignment = 4;
  int viewportHeight = 0;  // 0 until glViewport is called
  Vec4 clearColour{0, 0, 0, 0};
  bool inBeginEnd = false;
  bool compilingList = false;  // between glNewList and glEndList
  GLenum error = GL_NO_ERROR;  // the first since glGetError last read it
  std::uint64_t changes = 0;   // counts the changes a draw's state may see
};

extern State gl;

// Records an error for glGetError, which keeps the first until it is read.
void setError(GLenum error);

// Counts a change of what draws are drawn with (a matrix, a light, a
// switch, a texture): draws after it need their state worked out again.
inline void stateChanged() {
  ++gl.changes;
}

// Whether a call that GL forbids between glBegin and glEnd may go on; if
// not, it is an error and the call has no effect, as in GL.
bool outsideBeginEnd();

// Whether a call that changes GL's state may go on: outside glBegin and
// glEnd, and not while a display list is compiled, since the stand-in's
// lists compile draws alone and refuse the rest.
bool changesStateNow(const char* call);

}  // namespace standin

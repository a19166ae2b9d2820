#pragma once

// The WebGL programs that stand in for the fixed-function stage, one for
// each set of features a draw needs, generated from one source as Mesa
// generates its vertex programs from the fixed-function state: only what
// is on is computed, so a software renderer does no work for the rest.

#include <GL/gl.h>

#include <cstdint>

#include "gl/draw_state.h"

namespace standin {

enum Attribute : GLuint {
  positionAttribute,
  normalAttribute,
  texCoordAttribute,
  colourAttribute,
  slotAttribute
};

// Where each uniform of a program is.
struct Uniforms {
  GLint transforms, normalMatrix, material, light, planes, lift, textureShape, texel;
};

struct Program {
  GLuint program = 0;
  Uniforms uniforms{};
};

// Makes the WebGL program for a draw's features (draw_state.h).
Program makeProgram(std::uint32_t features);

}  // namespace standin

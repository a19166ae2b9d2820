#pragma once

// The WebGL programs that stand in for the fixed-function stage, one for
// each key a draw has (draw_state.h), generated from one source as Mesa
// generates its programs from the fixed-function state: only what is on
// is computed, so a software renderer does no work for the rest.

#include <GL/gl.h>

#include <cstdint>

#include "gl/draw_state.h"

namespace standin {

enum AttributeLocation : GLuint {
  positionAttribute,
  normalAttribute,
  texCoordAttribute,
  colourAttribute,
  slotAttribute,
  wAttribute,
  shadePositionAttribute,
  clipPositionAttribute,
};

// Where each uniform of a program is; -1 where it has none.
struct Uniforms {
  GLint transforms, normalMatrix, textureMatrix, materials, lights, modelAmbient, texGenPlanes,
      clipPlanes, fog, alpha, viewport, texturing, texel;
};

struct Program {
  GLuint program = 0;
  Uniforms uniforms{};
};

// Makes the WebGL program for a draw's key. A program WebGL will not
// compile or link is said on standard error and refused.
Program makeProgram(Key key);

}  // namespace standin

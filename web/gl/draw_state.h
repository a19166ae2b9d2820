#pragma once

// What a draw is drawn with: the fixed-function state as the vertex and
// fragment programs take it, with what is the same for every vertex of a
// draw worked out once here, and which parts of the stage are on.

#include <GL/gl.h>

#include <cstdint>

namespace standin {

// The parts of the fixed-function stage a draw needs: the key of the
// program generated for it, as Mesa keys its generated vertex programs.
enum Feature : std::uint32_t {
  lighting = 1u << 0,
  lightZero = 1u << 1,
  normalizing = 1u << 2,
  positionalLight = 1u << 3,
  spotLight = 1u << 4,
  spotExponent = 1u << 5,
  shininess = 1u << 6,
  generateS = 1u << 7,
  generateT = 1u << 8,
  texturing = 1u << 9,
  constantTexel = 1u << 10,  // textured, but every vertex at the same texel
};

// Plain floats, so that two draws with the same state compare equal byte
// for byte and can go to WebGL as one.
struct DrawState {
  std::uint32_t features;
  float modelviewProjection[16];
  float modelview[16];
  float normalMatrix[9];  // column-major
  float base[4];          // emission plus ambient times the scene's; the diffuse alpha
  float ambientProduct[3], diffuseProduct[3], specularProduct[3];  // material times light
  float lightPlace[3];   // a positional light's place, or whence a light at infinity shines
  float attenuation[3];  // constant, linear, quadratic
  float spot[4];         // unit direction, exponent
  float spotCosCutoff;
  float shininess;
  float planes[8];  // s and t's object planes
  float lift;       // 1/256 of a pixel, in clip units per w
  GLuint texture;   // 0 when the draw is untextured or its texel is known
  float textureSize[2];
  float wrapFirst[2];  // 1 where the size is not a power of two
  float texel[4];      // the filtered texel every vertex of the draw is at
};

// The state a draw made now is drawn with. `texCoord` is the texture
// coordinate of every vertex of the draw when they all have the same one.
DrawState drawState(const float* texCoord);

}  // namespace standin

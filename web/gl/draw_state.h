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
// Grouped as the programs' uniforms are, four floats at a time.
struct DrawState {
  std::uint32_t serial;  // another for each state worked out
  std::uint32_t features;
  // The modelview-projection matrix, then the modelview, column-major.
  float transforms[32];
  float normalMatrix[9];  // column-major
  // A positional light's place, or whence a light at infinity shines, with
  // the cosine of the spot's cutoff; the constant, linear and quadratic
  // attenuation; the spot's unit direction and exponent.
  float light[12];
  float planes[8];        // s and t's object planes
  float lift;             // 1/256 of a pixel, in clip units per w
  GLuint texture;         // 0 when the draw is untextured or its texel is known
  float textureShape[4];  // the size; 1 where it is not a power of two
  float texel[4];         // the filtered texel every vertex of the draw is at
};

// A draw's material as the programs take it: emission plus ambient times
// the scene's, with the diffuse alpha; the ambient, diffuse and specular
// products of material and light, the last with the shininess. Draws that
// differ in their material alone can go to WebGL as one, each vertex
// saying which of a few materials is its own.
struct DrawMaterial {
  float values[16];
};

// The state a draw made now is drawn with, but for its material.
// `texCoord` is the texture coordinate of every vertex of the draw when
// they all have the same one. It is worked out again only after GL's state
// changed.
const DrawState& drawState(const float* texCoord);

// The material a draw made now is drawn with; nothing when it is unlit.
const DrawMaterial& drawMaterial();

// Whether two states draw alike, whatever their serials.
bool sameDrawState(const DrawState& a, const DrawState& b);

}  // namespace standin

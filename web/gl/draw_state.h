#pragma once

// What a draw is drawn with: the fixed-function state as the vertex and
// fragment programs and WebGL's own switches take it, worked out once for
// the draws that share it, and which parts of the stage are on.

#include <GL/gl.h>

#include <cstdint>

#include "gl/state.h"
#include "gl/vertices.h"

namespace standin {

// The parts of the fixed-function stage a draw needs: the key of the
// program generated for it, as Mesa keys its generated programs. A part
// that is off leaves the keys of what it would use at 0, so that draws
// that differ only in what is unused share a program.
struct Key {
  std::uint64_t bits[2] = {0, 0};
  bool operator<(const Key& other) const {
    return bits[0] != other.bits[0] ? bits[0] < other.bits[0] : bits[1] < other.bits[1];
  }
  bool operator==(const Key& other) const {
    return bits[0] == other.bits[0] && bits[1] == other.bits[1];
  }
};

// The fields of a key, each `width` bits from `shift` on, within one of
// its two words.
struct KeyField {
  int shift, width;
};
namespace keys {
constexpr KeyField lighting{0, 1};
constexpr KeyField lights{1, 4};       // how many lights are on
constexpr KeyField positional{5, 8};   // which of them are positional
constexpr KeyField spot{13, 8};        // which are spotlights
constexpr KeyField attenuated{21, 8};  // which fade with distance
constexpr KeyField twoSide{29, 1};
constexpr KeyField localViewer{30, 1};
constexpr KeyField colourMaterial{31, 3};       // 0 off, else the mode (draw_state.cpp)
constexpr KeyField colourMaterialFaces{34, 2};  // 1 front, 2 back, 3 both
constexpr KeyField normals{36, 2};              // 1 normalized, 2 rescaled
constexpr KeyField texture{38, 2};  // 0 none, 1 one texel for all, 2 two-dimensional, 3 one
constexpr KeyField texGen{40, 8};   // two bits a coordinate: 0 off, 1 object, 2 eye, 3 sphere
constexpr KeyField textureMatrix{48, 1};
constexpr KeyField fog{49, 2};        // 0 off, 1 linear, 2 exp, 3 exp2
constexpr KeyField alphaTest{51, 3};  // the function less GL_NEVER, or 7 for off
constexpr KeyField polygonStipple{54, 1};
constexpr KeyField flat{55, 1};           // lit by the provoking vertex
constexpr KeyField givenClip{56, 1};      // the vertex's place in clip space given
constexpr KeyField twoSideColour{58, 1};  // a back colour where two-sided lighting is on
constexpr KeyField projective{59, 1};     // texture coordinates divided by their q
constexpr KeyField homogeneous{60, 1};    // positions with a w of their own
constexpr KeyField clipPlanes{64, 8};
constexpr KeyField image{72, 1};          // bitmaps or pixels drawn
constexpr KeyField textureFormat{74, 3};  // the texture's base format (shaders.cpp)
constexpr KeyField textureEnv{77, 3};     // its environment (shaders.cpp)
// Lines or points, which take no polygon stipple, culling or offset of
// filled polygons, and no back colour but where they are those of a back
// face; the state takes this field out of its key.
constexpr KeyField notPolygon{80, 1};
constexpr KeyField backFace{81, 1};       // lit as a back face, with two-sided lighting
constexpr KeyField levelOfDetail{82, 1};  // the texture's filter chosen by it, or its level
}  // namespace keys

inline std::uint32_t get(const Key& key, KeyField field) {
  const std::uint64_t word = key.bits[field.shift / 64];
  return std::uint32_t(word >> (field.shift % 64)) & ((1u << field.width) - 1);
}
inline void put(Key& key, KeyField field, std::uint32_t value) {
  const int shift = field.shift % 64;
  const std::uint64_t mask = ((std::uint64_t(1) << field.width) - 1) << shift;
  std::uint64_t& word = key.bits[field.shift / 64];
  word = (word & ~mask) | ((std::uint64_t(value) << shift) & mask);
}
// The fields `extra` has set, added to `key`.
inline Key with(Key key, const Key& extra) {
  key.bits[0] |= extra.bits[0];
  key.bits[1] |= extra.bits[1];
  return key;
}

// A light as the programs take it, four floats at a time, as Mesa's
// fixed-function programs take it: its colours; its place (a positional
// light's divided by its w) or, for one at infinity, the unit vector
// toward it; its unit spot direction with the cosine of its cutoff; its
// three attenuations with its spot exponent; and, for a light at infinity
// seen from infinity, the unit vector halfway to the eye.
struct DrawLight {
  float ambient[4], diffuse[4], specular[4], position[4], spot[4], attenuation[4], halfway[4];
};
constexpr int lightVectors = 7;

// WebGL's own switches, which a draw sets where they differ from those the
// draw before set.
struct Switches {
  std::uint8_t depthTest, depthMask, blend, cull, scissor, stencil, dither, offset;
  std::uint8_t colourMask[4];
  GLenum depthFunc, blendSrc, blendDst, cullFace, frontFace;
  GLint scissorBox[4];
  GLenum stencilFunc, stencilFail, stencilDepthFail, stencilDepthPass;
  GLint stencilRef;
  GLuint stencilValueMask, stencilWriteMask;
  float offsetFactor, offsetUnits;
};

// Plain values, so that two draws with the same state compare equal byte
// for byte and can go to WebGL as one. Grouped as the programs' uniforms
// are, four floats at a time.
struct DrawState {
  std::uint32_t serial;  // another for each state worked out
  Key key;
  // The modelview-projection matrix, then the modelview, column-major.
  float transforms[32];
  float normalMatrix[12];  // column-major, each column padded to four; the rescale last
  float textureMatrix[16];
  DrawLight lights[lightCount];  // those on, in order
  float modelAmbient[4];
  float texGenPlanes[8][4];  // s, t, r, q's object planes, then their eye planes
  float clipPlanes[clipPlaneCount][4];
  float fog[8];       // its colour; its start, end, density and 1 / (end - start)
  float alpha[4];     // the alpha test's reference
  float viewport[4];  // x, y, half the width and half the height, for places given in window
                      // coordinates
  GLuint texture;     // 0 when the draw is untextured or its texel is known
  // The texture's size and its image's in WebGL; its base format,
  // environment and wrapping; its filters, levels and dimensions; its
  // border colour; the environment's colour; the drawing buffer's height
  // in its second (shaders.cpp names the codes).
  float texturing[6][4];
  float texel[4];             // the filtered texel every vertex of the draw is at
  std::uint32_t stipple[32];  // the polygon stipple's rows, where it is on
  Switches switches;
};

// A draw's materials as the programs take them, as Mesa's fixed-function
// programs take them: for each face lit, its scene colour (emission plus
// the model's ambient times its ambient, with its diffuse alpha), its
// emission with its shininess, ambient, diffuse and specular as they are,
// then for each light on the products of the light's and the material's
// ambient, diffuse and specular, worked out here as Mesa works them out.
constexpr int faceVectors(int lights) {
  return 5 + 3 * lights;
}
constexpr int maxMaterialVectors = 2 * faceVectors(lightCount);
struct DrawMaterial {
  int vectors;  // four floats each
  float values[maxMaterialVectors * 4];
};
// The materials as a draw with this key takes them.
void drawMaterial(const Materials& materials, Key key, DrawMaterial& out);

// The state a draw made now is drawn with, with `extra` (keys flat,
// givenClip, projective, homogeneous, notPolygon, backFace, image) added to its key. `texCoord` is
// the texture coordinate of every vertex of the draw when they all have the same one. It is worked
// out again only after GL's state changed.
const DrawState& drawState(const float* texCoord, Key extra);

// Whether two states draw alike, whatever their serials.
bool sameDrawState(const DrawState& a, const DrawState& b);

}  // namespace standin

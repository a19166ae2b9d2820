#pragma once

// GL's texture objects, as Mesa's texobj and teximage keep them: each with
// its parameters and its one image, RGB rows aligned as the program gave
// them. device.cpp makes WebGL's texture of each image.

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

namespace standin::textures {

struct TextureObject {
  // GL starts a texture wanting mipmaps for minifying; without them it is
  // incomplete, and draws as no texture.
  GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
  int width = 0;
  int height = 0;
  GLint alignment = 4;
  std::vector<std::uint8_t> image;  // empty while it has none
};

// The bytes from the start of one row of an RGB image to the next.
std::size_t rowStride(int width, GLint alignment);

// The bound texture when texturing can use it: it has an image and wants
// no mipmaps; null otherwise.
const TextureObject* completeTexture(GLuint name);

// Whether a coordinate along a side of this many texels is wrapped into
// the texture before it is scaled to texels, as the desktop's renderer
// does where the side is not a power of two.
bool wrappedFirst(int texels);

// The texture's image at (s, t) as the fragment stage filters it, by the
// rule of the TEXTURING part of shaders.cpp's fragment program: repeated,
// linearly filtered between the four nearest texel centres by weights in
// 1/256 steps, and rounded to 8 bits; red, green, blue and alpha.
std::array<float, 4> filteredTexel(const TextureObject& texture, float s, float t);

// Makes WebGL's texture of every image again, after the context was lost.
void remakeImages();

}  // namespace standin::textures

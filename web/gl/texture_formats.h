#pragma once

// The internal formats of GL 1.1 as the desktop's renderer keeps them:
// each with its base format and the bits it gives each component, as GL
// reports them. A component of fewer bits than a byte is rounded to them
// when the image is taken; one of more is filtered in floats. No GL
// context is needed.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace standin::textures {

struct InternalFormat {
  GLint name;
  GLenum base;
  // Bits of red, green, blue, alpha, luminance and intensity.
  int red, green, blue, alpha, luminance, intensity;
};

// The internal format named so, or null for one GL does not know.
const InternalFormat* internalFormat(GLint name);

// The base format of an internal format; 0 for one GL does not know.
GLenum baseFormatOf(GLint name);

// Whether the renderer keeps a component in more than a byte, and so
// filters the texture in floats.
bool widerThanByte(GLint name);

// RGBA floats as the texels a texture of the internal format gives: four
// bytes each, a luminance in red, green and blue, the components its base
// format lacks as GL fills them in, each rounded to the bits it is kept in
// and widened back to a byte by repeating them.
void toTexels(const std::vector<float>& rgba, GLint name, std::vector<std::uint8_t>& texels);

// Whether each component of the internal format is kept in a byte or more,
// so that an image's bytes are its texels' as they are.
bool keepsBytes(GLint name);

// RGBA bytes as the texels of an internal format that keeps bytes: what
// toTexels gives of the bytes over 255.
void bytesToTexels(const std::vector<std::uint8_t>& rgba, GLint name,
                   std::vector<std::uint8_t>& texels);

}  // namespace standin::textures

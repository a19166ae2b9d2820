#pragma once

// Images in the program's memory as GL reads and writes them: each row
// where the pixel store's alignment, row length and skips put it, each
// component of its type, bytes swapped where asked; read into RGBA floats
// through GL's pixel transfer (luminance to red, green and blue, the
// components a format lacks at 0 and alpha at 1, scale and bias, the
// colour maps), and written back from them. Bitmaps are read bit by bit.
// No GL context is needed.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "gl/state.h"

namespace standin::pixels {

// Whether GL takes `format` and `type` together for a colour image: false
// for an enum it does not know (GL_INVALID_ENUM); `matches` false for a
// packed type of another number of components (GL_INVALID_OPERATION).
bool knownColourFormat(GLenum format);
bool knownType(GLenum type);
bool typeMatchesFormat(GLenum format, GLenum type);

// The number of bytes from the start of the image to the end of its last
// pixel, as `store` lays it out.
std::uint64_t imageBytes(GLsizei width, GLsizei height, GLenum format, GLenum type,
                         const PixelStore& store);

// Reads `width` by `height` pixels, bottom row first, into RGBA floats,
// four a pixel, through the pixel transfer `transfer`; colour indices
// (GL_COLOR_INDEX of a type other than GL_BITMAP) through its maps.
void unpack(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels,
            const PixelStore& store, const PixelModeGroup& transfer, std::vector<float>& rgba);

// Unsigned bytes that the pixel transfer leaves as they are, as most images
// come, read into RGBA bytes, four a pixel: what `unpack` gives, times 255,
// without its floats. False, and nothing read, for any other image.
bool unpackBytes(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels,
                 const PixelStore& store, const PixelModeGroup& transfer,
                 std::vector<std::uint8_t>& rgba);

// Puts RGBA floats, four a pixel, through the pixel transfer `t`, as the
// colours copied from the framebuffer go through it.
void transfer(std::vector<float>& rgba, const PixelModeGroup& t);

// Reads a bitmap: one byte a pixel, 1 where its bit is set.
void unpackBitmap(GLsizei width, GLsizei height, const GLubyte* bitmap, const PixelStore& store,
                  std::vector<std::uint8_t>& bits);

// Writes RGBA floats, four a pixel, bottom row first, as `format` and
// `type` laid out by `store`, through the pixel transfer `transfer`.
void pack(GLsizei width, GLsizei height, GLenum format, GLenum type, const float* rgba,
          const PixelStore& store, const PixelModeGroup& transfer, void* pixels);

}  // namespace standin::pixels

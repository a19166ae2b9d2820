#pragma once

// What the stand-in keeps in WebGL, in one place: the buffers the frame's
// draws go through, the generated programs, the textures with their images,
// and the few switches WebGL holds for it. Each is made from what the
// program gave, which is kept here as a GL driver keeps it, so that when
// the browser takes the context away and gives it back, all of it is made
// again and the next frame is the one the program would have had. While
// the context is lost, nothing goes to WebGL.

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <optional>

#include "gl/shaders.h"

namespace standin::device {

struct Buffers {
  GLuint vertices = 0;
  GLuint texCoords = 0;
  GLuint indices = 0;
};

// The frame's buffers, made the first time, with the vertex attributes
// pointing into them.
const Buffers& buffers();

// Gives `buffer`, bound to `target`, the bytes of `data`, unless it holds
// those very bytes from an earlier frame: WebGL keeps them, as a driver
// may, so a frame whose vertices are the last one's sends none again.
void upload(GLenum target, GLuint buffer, const void* data, std::size_t bytes);

// The program for a draw's features, made the first time.
Program& program(std::uint32_t features);

// A new texture name for the program; 0 when none is left.
GLuint newTexture();

// Gives `texture` an image of RGB bytes, rows aligned to `alignment`, and
// keeps a copy. Returns GL's error for an image WebGL refuses, which then
// leaves the texture without one; GL_NO_ERROR otherwise.
GLenum setImage(GLuint texture, GLsizei width, GLsizei height, GLint alignment, const void* pixels);

struct ImageSize {
  int width;
  int height;
};
// The size of the texture's image; none while it has none.
std::optional<ImageSize> imageSize(GLuint texture);

// The texture's image at (s, t) as the fragment stage filters it: repeated,
// linearly filtered and rounded to 8 bits; red, green, blue and alpha.
std::array<float, 4> filteredTexel(GLuint texture, float s, float t);

// Binds the texture's WebGL texture for drawing; 0 binds none.
void bindTexture(GLuint texture);

// The switches WebGL holds for the stand-in.
void setDepthTest(bool on);
void setDepthFunc(GLenum func);
void setViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void clear(GLbitfield mask, const float colour[4]);

// Whether the context is lost now.
bool lost();

}  // namespace standin::device

// Called by the page's GLUT when the browser takes the context away and
// when it gives it back.
extern "C" void standinContextLost();
extern "C" void standinContextRestored();

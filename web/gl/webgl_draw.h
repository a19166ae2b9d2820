#pragma once

// Draws what the fixed-function stage made, through WebGL: positions in
// clip coordinates, lit colours and texture coordinates per vertex, the
// texture filtered and modulated per fragment.

#include <GLES2/gl2.h>

#include <vector>

struct DrawnVertex {
  float clip[4];
  float colour[4];
  float texCoord[2];
};

// The texture a draw samples: none, or a WebGL texture of that size that
// the fragment stage wraps and filters itself.
struct Texturing {
  GLuint texture = 0;
  int width = 0;
  int height = 0;
};

// `mode` is GL_TRIANGLES, GL_TRIANGLE_STRIP or GL_TRIANGLE_FAN.
void drawVertices(GLenum mode, const std::vector<DrawnVertex>& vertices,
                  const Texturing& texturing);

// Hands a picture to WebGL for the texture bound now, sampled texel by
// texel: the fragment stage does the repeat and the linear filter, which
// WebGL 1 refuses for sizes that are not powers of two.
void uploadTexture(GLsizei width, GLsizei height, const void* pixels);

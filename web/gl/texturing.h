#pragma once

// GL's texture objects, as Mesa's texobj and teximage keep them: each with
// its parameters and its levels' images, every texel kept as the red,
// green, blue and alpha that sampling the texture gives (a luminance
// texel's luminance in all three colours, an alpha texel's colours 0).
// device.cpp holds each texture's images in WebGL, its levels side by side
// in one image, which the fragment program samples and filters itself.

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "gl/state.h"

namespace standin::textures {

struct Level {
  int width = 0, height = 0;
  GLint internalFormat = 1;
  GLenum baseFormat = GL_LUMINANCE;
  int border = 0;
  std::vector<std::uint8_t> texels;  // four bytes a texel, bottom row first, its border taken off
};

struct TextureObject {
  GLenum target = 0;  // fixed when it is first bound
  GLenum minFilter = GL_NEAREST_MIPMAP_LINEAR;
  GLenum magFilter = GL_LINEAR;
  GLenum wrapS = GL_REPEAT, wrapT = GL_REPEAT;
  Vec4 borderColour{0, 0, 0, 0};
  float priority = 1;
  std::vector<Level> levels;

  int width() const { return levels.empty() ? 0 : levels[0].width; }
  int height() const { return levels.empty() ? 0 : levels[0].height; }
  GLenum baseFormat() const { return levels.empty() ? GL_RGBA : levels[0].baseFormat; }
  bool mipmapped() const { return minFilter != GL_NEAREST && minFilter != GL_LINEAR; }
  // Whether the desktop's renderer filters the texture in floats rather
  // than in bytes: where a component is kept in more than a byte, or the
  // coordinates are clamped with the border.
  bool filteredInFloats() const;
  // How many levels sampling reaches: the whole chain down to one texel
  // where the minifying filter uses mipmaps, else the first alone.
  int levelsSampled() const;
};

// The largest number of levels a texture may have.
constexpr int maxLevels = 15;

// The images of the bound texture of `target`, as the calls that make
// them give them: RGBA floats, four a texel, bottom row first, through the
// pixel transfer. Whether GL takes an image of this target, level,
// internal format, size and border, its error where not; makes the level
// of it, WebGL's error where it refuses it.
bool imageTakes(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                GLint border);
void setImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
              GLint border, std::vector<float>& rgba);
// Makes `l` the level of the texture bound to `target`; WebGL's error
// where it refuses it, and the level as it was.
void setLevel(GLenum target, GLint level, Level&& l);
// Whether a part of a level lies within it, border included, GL's error
// where not; replaces that part.
bool subImageFits(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height);
void setSubImage(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                 const std::vector<float>& rgba);

// The bound texture of `target` when texturing can use it: its levels are
// complete; null otherwise.
const TextureObject* completeTexture(GLenum target);
GLuint boundName(GLenum target);
// The bound texture of `target`, complete or not, as glGet asks of it.
const TextureObject& boundObject(GLenum target);

// Whether a coordinate along a side of this many texels is wrapped into
// the texture before it is scaled to texels, as the desktop's renderer
// does where the side is not a power of two.
bool wrappedFirst(int texels);

// Where a level lies in the image device.cpp holds: level 0 at the origin,
// the others one above another to its right.
struct Place {
  int x, y;
};
Place placeOf(const TextureObject& texture, int level);
// The size of that image.
Place atlasSize(const TextureObject& texture);

// The texture's first level at (s, t) as the fragment stage filters it
// where it magnifies, by the rule of the fragment program (shaders.cpp);
// red, green, blue and alpha.
std::array<float, 4> filteredTexel(const TextureObject& texture, float s, float t);

// Makes WebGL's texture of every image again, after the context was lost.
void remakeImages();

}  // namespace standin::textures

// Texture objects, their one image, the modulate environment and
// object-linear generation of s and t. An image WebGL refuses, as GL
// refuses one, changes nothing; an upload while the context is lost keeps
// its image for the context that comes back.

#include "gl/texturing.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"
#include "gl/unsupported.h"

namespace standin::textures {

namespace {

std::map<GLuint, TextureObject> objects;

// A name is made on its first use, as glBindTexture may bind any.
TextureObject& bound() {
  return objects[gl.boundTexture];
}

GLenum checkUpload(GLsizei width, GLsizei height) {
  if (width < 0 || height < 0) return GL_INVALID_VALUE;
  // While the context is lost the limit is not known: the image is taken,
  // and held against the limit of the context that comes back.
  if (device::lost()) return GL_NO_ERROR;
  const GLint limit = device::maxTextureSize();
  return width > limit || height > limit ? GL_INVALID_VALUE : GL_NO_ERROR;
}

}  // namespace

std::size_t rowStride(int width, GLint alignment) {
  const std::size_t row = std::size_t(width) * 3;
  return (row + alignment - 1) / alignment * alignment;
}

const TextureObject* completeTexture(GLuint name) {
  const auto found = objects.find(name);
  if (found == objects.end()) return nullptr;
  const TextureObject& t = found->second;
  return !t.image.empty() && t.minFilter == GL_LINEAR ? &t : nullptr;
}

bool wrappedFirst(int texels) {
  return (texels & (texels - 1)) != 0;
}

std::array<float, 4> filteredTexel(const TextureObject& texture, float s, float t) {
  const int width = texture.width, height = texture.height;
  const std::size_t stride = rowStride(width, texture.alignment);
  // The place along a side in 1/256 of a texel, less half a texel.
  const auto fixed = [](float coordinate, int texels) {
    const float place = wrappedFirst(texels) ? coordinate - std::floor(coordinate) : coordinate;
    return std::int64_t(std::floor(place * float(texels) * 256.0f + 0.5f)) - 128;
  };
  const std::int64_t u = fixed(s, width), v = fixed(t, height);
  const std::int64_t i = u >> 8, j = v >> 8;
  const float fx = float(u & 255) / 256.0f, fy = float(v & 255) / 256.0f;
  // The texel in column i and row j, the pattern repeated.
  const auto texelAt = [&](std::int64_t x, std::int64_t y, int c) {
    x = (x % width + width) % width;
    y = (y % height + height) % height;
    return texture.image[std::size_t(y) * stride + std::size_t(x) * 3 + c] / 255.0f;
  };
  std::array<float, 4> texel{0, 0, 0, 1};
  for (int c = 0; c < 3; ++c) {
    const float below = texelAt(i, j, c) + (texelAt(i + 1, j, c) - texelAt(i, j, c)) * fx;
    const float above =
        texelAt(i, j + 1, c) + (texelAt(i + 1, j + 1, c) - texelAt(i, j + 1, c)) * fx;
    texel[c] = std::floor((below + (above - below) * fy) * 255.0f + 0.5f) / 255.0f;
  }
  return texel;
}

// A texture whose image the restored context refuses draws without one,
// and says so.
void remakeImages() {
  for (auto& [name, t] : objects) {
    if (t.image.empty()) continue;
    const GLint limit = device::maxTextureSize();
    GLenum error = GL_NO_ERROR;
    if (t.width > limit || t.height > limit) {
      std::fprintf(stderr,
                   "marblechess: texture %u is drawn without its image: its %d x %d is more than"
                   " the %d x %d the restored WebGL context takes\n",
                   name, t.width, t.height, limit, limit);
    } else if ((error = device::makeTexture(name, t.width, t.height, t.alignment,
                                            t.image.data())) != GL_NO_ERROR) {
      std::fprintf(stderr,
                   "marblechess: texture %u is drawn without its image: the restored WebGL context"
                   " refused it with 0x%04X\n",
                   name, error);
    } else {
      continue;
    }
    t.image.clear();
    t.image.shrink_to_fit();
    stateChanged();
  }
}

}  // namespace standin::textures

using namespace standin;
using namespace standin::textures;

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
  if (!outsideBeginEnd()) return;
  if (n < 0) return setError(GL_INVALID_VALUE);
  // Names not in use, bound by a program without asking or made here.
  GLuint name = objects.empty() ? 0 : objects.rbegin()->first;
  for (GLsizei i = 0; i < n; ++i) {
    if (name == UINT32_MAX) return setError(GL_OUT_OF_MEMORY);
    textures[i] = ++name;
    objects[name];
  }
}

void glPixelStorei(GLenum pname, GLint param) {
  if (!outsideBeginEnd()) return;
  if (pname != GL_UNPACK_ALIGNMENT) return unsupported("glPixelStorei", pname);
  if (param != 1 && param != 2 && param != 4 && param != 8) return setError(GL_INVALID_VALUE);
  gl.unpackAlignment = param;
}

void glBindTexture(GLenum target, GLuint texture) {
  if (!changesStateNow("glBindTexture")) return;
  if (target != GL_TEXTURE_2D) return unsupported("glBindTexture", target);
  gl.boundTexture = texture;
  stateChanged();
}

// The stand-in repeats and filters linearly, GL's defaults but for the
// minifying filter, which GL starts at a mipmap one.
void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
  if (!changesStateNow("glTexParameterf")) return;
  const GLenum value = static_cast<GLenum>(param);
  const bool wrap = pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T;
  const bool filter = pname == GL_TEXTURE_MAG_FILTER || pname == GL_TEXTURE_MIN_FILTER;
  if (target != GL_TEXTURE_2D || !(wrap || filter)) return unsupported("glTexParameter", pname);
  if ((wrap && value != GL_REPEAT) || (filter && value != GL_LINEAR)) {
    return unsupported("glTexParameter", value);
  }
  if (pname == GL_TEXTURE_MIN_FILTER) bound().minFilter = value;
  stateChanged();
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
  if (!changesStateNow("glTexImage2D")) return;
  if (target != GL_TEXTURE_2D || level != 0 || border != 0)
    return unsupported("glTexImage2D", level, GL_INVALID_VALUE);
  if ((internalFormat != 3 && internalFormat != GL_RGB) || format != GL_RGB ||
      type != GL_UNSIGNED_BYTE) {
    return unsupported("glTexImage2D", format);
  }
  if (gl.boundTexture == 0) return unsupported("glTexImage2D", 0, GL_INVALID_OPERATION);
  if (const GLenum error = checkUpload(width, height); error != GL_NO_ERROR) return setError(error);
  // Draws gathered before take the image the texture had then.
  flushDraws();
  TextureObject& t = bound();
  const std::size_t bytes =
      width == 0 || height == 0
          ? 0
          : rowStride(width, gl.unpackAlignment) * std::size_t(height - 1) + std::size_t(width) * 3;
  // GL leaves an image given without pixels undefined; this one is black.
  const auto from = static_cast<const std::uint8_t*>(pixels);
  std::vector<std::uint8_t> image = from != nullptr ? std::vector<std::uint8_t>(from, from + bytes)
                                                    : std::vector<std::uint8_t>(bytes);
  const GLenum error =
      device::makeTexture(gl.boundTexture, width, height, gl.unpackAlignment, image.data());
  if (error != GL_NO_ERROR) return setError(error);
  t.width = width;
  t.height = height;
  t.alignment = gl.unpackAlignment;
  t.image = std::move(image);
  stateChanged();
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) {
  if (!changesStateNow("glTexEnvi")) return;
  if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE)
    return unsupported("glTexEnv", pname);
  if (param != GL_MODULATE) unsupported("glTexEnv", param);
}

void glTexGeni(GLenum coord, GLenum pname, GLint param) {
  if (!changesStateNow("glTexGeni")) return;
  if (coord != GL_S && coord != GL_T) return unsupported("glTexGen", coord);
  if (pname != GL_TEXTURE_GEN_MODE) return unsupported("glTexGen", pname);
  if (param != GL_OBJECT_LINEAR) return unsupported("glTexGen", param);
  (coord == GL_S ? gl.generateModeS : gl.generateModeT) = GLenum(param);
  stateChanged();
}

void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
  if (!changesStateNow("glTexGenfv")) return;
  if (pname != GL_OBJECT_PLANE) return unsupported("glTexGen", pname);
  const Vec4 plane{params[0], params[1], params[2], params[3]};
  stateChanged();
  if (coord == GL_S) {
    gl.sPlane = plane;
  } else if (coord == GL_T) {
    gl.tPlane = plane;
  } else {
    unsupported("glTexGen", coord);
  }
}

}  // extern "C"

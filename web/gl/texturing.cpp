// Texture objects, one- and two-dimensional, and name 0's default texture
// of each; their parameters; their levels' images, taken from the
// program's memory through the pixel store and transfer into the texels
// sampling gives. An image WebGL refuses, as GL refuses one, changes
// nothing; an upload while the context is lost keeps its image for the
// context that comes back.

#include "gl/texturing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/current.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/pixel_store.h"
#include "gl/state.h"
#include "gl/texture_formats.h"

namespace standin::textures {

namespace {

std::map<GLuint, TextureObject> objects;
std::set<GLuint> generated;  // names glGenTextures gave that are not bound yet
GLuint highestName = 0;      // as in Mesa, new names follow the highest ever taken

TextureObject defaultOf(GLenum target) {
  TextureObject t;
  t.target = target;
  return t;
}
TextureObject defaults[2] = {defaultOf(GL_TEXTURE_1D), defaultOf(GL_TEXTURE_2D)};  // name 0's
// What the proxies were last asked: the levels' sizes and formats alone.
TextureObject proxies[2] = {defaultOf(GL_PROXY_TEXTURE_1D), defaultOf(GL_PROXY_TEXTURE_2D)};

bool knownTarget(GLenum target) {
  return target == GL_TEXTURE_1D || target == GL_TEXTURE_2D;
}

GLuint& boundNameOf(GLenum target) {
  return target == GL_TEXTURE_1D ? gl.texture.bound1D : gl.texture.bound2D;
}

TextureObject& bound(GLenum target) {
  if (target == GL_PROXY_TEXTURE_1D || target == GL_PROXY_TEXTURE_2D) {
    return proxies[target == GL_PROXY_TEXTURE_1D ? 0 : 1];
  }
  const GLuint name = boundNameOf(target);
  if (name == 0) return defaults[target == GL_TEXTURE_1D ? 0 : 1];
  return objects[name];
}

int levelSize(int size, int level) {
  return std::max(1, size >> level);
}

// Whether a texture's levels are complete for its minifying filter.
bool complete(const TextureObject& t) {
  if (t.levels.empty() || t.width() == 0 || t.height() == 0) return false;
  if (!t.mipmapped()) return true;
  const Level& base = t.levels[0];
  for (int level = 1; level < t.levelsSampled(); ++level) {
    if (level >= int(t.levels.size())) return false;
    const Level& l = t.levels[level];
    if (l.width != levelSize(base.width, level) || l.height != levelSize(base.height, level) ||
        l.internalFormat != base.internalFormat || l.border != base.border) {
      return false;
    }
  }
  return true;
}

// The image of every level sampling reaches, side by side, as device.cpp
// holds it.
void atlasOf(const TextureObject& t, int& width, int& height, std::vector<std::uint8_t>& image) {
  const int levels = complete(t) ? t.levelsSampled() : 1;
  const Place size = atlasSize(t);
  width = size.x;
  height = size.y;
  image.assign(std::size_t(width) * std::size_t(height) * 4, 0);
  for (int level = 0; level < levels; ++level) {
    const Level& l = t.levels[level];
    const Place p = placeOf(t, level);
    for (int y = 0; y < l.height; ++y) {
      std::copy_n(&l.texels[std::size_t(y) * std::size_t(l.width) * 4], std::size_t(l.width) * 4,
                  &image[(std::size_t(p.y + y) * std::size_t(width) + std::size_t(p.x)) * 4]);
    }
  }
}

// Hands WebGL the texture's images; WebGL's error where it refuses them.
GLenum upload(GLuint name, const TextureObject& t) {
  if (t.levels.empty() || t.width() == 0) return GL_NO_ERROR;
  int width = 0, height = 0;
  std::vector<std::uint8_t> image;
  atlasOf(t, width, height, image);
  return device::makeTexture(name, width, height, image.data());
}

// Texture name 0's defaults are told apart in WebGL by names no program
// can give.
GLuint deviceName(GLenum target, GLuint name) {
  if (name != 0) return name;
  return target == GL_TEXTURE_1D ? 0xFFFFFFFEu : 0xFFFFFFFFu;
}

// A one-dimensional image is one row high, its border at its two ends.
bool checkSize(GLenum target, GLint level, GLsizei width, GLsizei height, GLint border) {
  if (!validValue(level >= 0 && level < maxLevels && (border == 0 || border == 1))) return false;
  const GLint rows = target == GL_TEXTURE_1D ? 0 : border;
  if (!validValue(width >= 2 * border && height >= 2 * rows)) return false;
  // While the context is lost the limit is not known: the image is taken,
  // and held against the limit of the context that comes back.
  if (device::lost()) return true;
  const GLint limit = device::maxTextureSize() >> level;
  return validValue(width - 2 * border <= limit && height - 2 * rows <= limit);
}

// A level's format and size, its border taken off the image's.
void describe(GLenum target, Level& l, GLint internalFormat, GLsizei width, GLsizei height,
              GLint border) {
  const GLint rows = target == GL_TEXTURE_1D ? 0 : border;
  l.internalFormat = internalFormat;
  l.baseFormat = baseFormatOf(internalFormat);
  l.border = border;
  l.width = width - 2 * border;
  l.height = height - 2 * rows;
}

// Takes the pixels of an image into a level, its border taken off as
// Mesa takes it off.
void takeImage(GLenum target, Level& l, GLint internalFormat, GLsizei width, GLsizei height,
               GLint border, std::vector<float>& rgba) {
  const GLint rows = target == GL_TEXTURE_1D ? 0 : border;
  describe(target, l, internalFormat, width, height, border);
  if (border != 0) {
    std::vector<float> inner(std::size_t(l.width) * std::size_t(l.height) * 4);
    for (int y = 0; y < l.height; ++y) {
      std::copy_n(&rgba[(std::size_t(y + rows) * std::size_t(width) + 1) * 4],
                  std::size_t(l.width) * 4, &inner[std::size_t(y) * std::size_t(l.width) * 4]);
    }
    rgba.swap(inner);
  }
  toTexels(rgba, internalFormat, l.texels);
}

bool formatTakes(GLenum format, GLenum type) {
  if (!knownEnum(pixels::knownType(type) || type == GL_BITMAP)) return false;
  if (format == GL_STENCIL_INDEX || format == GL_DEPTH_COMPONENT) {
    setError(GL_INVALID_OPERATION);
    return false;
  }
  if (type == GL_BITMAP) {
    if (knownEnum(format == GL_COLOR_INDEX)) refuse("glTexImage", "GL_BITMAP");
    return false;
  }
  if (!knownEnum(pixels::knownColourFormat(format) || format == GL_COLOR_INDEX)) return false;
  if (!pixels::typeMatchesFormat(format, type)) {
    setError(GL_INVALID_OPERATION);
    return false;
  }
  return true;
}

// A proxy takes the level's size and format where a texture would take
// the image, and forgets the level where its size would be refused; its
// other errors are those of the image.
void proxyImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                GLint border, GLenum format, GLenum type) {
  const GLenum real = target == GL_PROXY_TEXTURE_1D ? GL_TEXTURE_1D : GL_TEXTURE_2D;
  if (!validValue(baseFormatOf(internalFormat) != 0)) return;
  if (!validValue(level >= 0 && level < maxLevels && (border == 0 || border == 1))) return;
  if (!formatTakes(format, type)) return;
  const GLint rows = real == GL_TEXTURE_1D ? 0 : border;
  const GLint limit = device::maxTextureSize() >> level;
  const bool fits = width >= 2 * border && height >= 2 * rows && width - 2 * border <= limit &&
                    height - 2 * rows <= limit;
  TextureObject& proxy = bound(target);
  if (int(proxy.levels.size()) <= level) proxy.levels.resize(std::size_t(level) + 1);
  Level& l = proxy.levels[std::size_t(level)];
  l = Level{};
  if (fits) describe(real, l, internalFormat, width, height, border);
}

void texImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
              GLint border, GLenum format, GLenum type, const void* pixels) {
  if (!outsideBeginEnd()) return;
  if (target == GL_PROXY_TEXTURE_1D || target == GL_PROXY_TEXTURE_2D) {
    proxyImage(target, level, internalFormat, width, height, border, format, type);
    return;
  }
  if (!imageTakes(target, level, internalFormat, width, height, border)) return;
  if (!formatTakes(format, type)) return;
  // Most images' bytes are their texels' bytes, which need no floats.
  std::vector<std::uint8_t> bytes;
  if (border == 0 && keepsBytes(internalFormat) &&
      pixels::unpackBytes(width, height, format, type, pixels, gl.client.unpack, gl.pixelMode,
                          bytes)) {
    Level l;
    describe(target, l, internalFormat, width, height, border);
    bytesToTexels(bytes, internalFormat, l.texels);
    return setLevel(target, level, std::move(l));
  }
  std::vector<float> rgba;
  pixels::unpack(width, height, format, type, pixels, gl.client.unpack, gl.pixelMode, rgba);
  setImage(target, level, internalFormat, width, height, border, rgba);
}

void texSubImage(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                 GLenum format, GLenum type, const void* pixels) {
  if (!outsideBeginEnd() || !knownEnum(knownTarget(target)) || !formatTakes(format, type)) return;
  if (!subImageFits(target, level, x, y, width, height)) return;
  std::vector<float> rgba;
  pixels::unpack(width, height, format, type, pixels, gl.client.unpack, gl.pixelMode, rgba);
  setSubImage(target, level, x, y, width, height, rgba);
}

bool knownFilter(GLenum pname, GLenum value) {
  if (pname == GL_TEXTURE_MAG_FILTER) return value == GL_NEAREST || value == GL_LINEAR;
  return value == GL_NEAREST || value == GL_LINEAR || value == GL_NEAREST_MIPMAP_NEAREST ||
         value == GL_LINEAR_MIPMAP_NEAREST || value == GL_NEAREST_MIPMAP_LINEAR ||
         value == GL_LINEAR_MIPMAP_LINEAR;
}

void texParameter(GLenum target, GLenum pname, const float* p) {
  if (!outsideBeginEnd() || !knownEnum(knownTarget(target))) return;
  TextureObject& t = bound(target);
  const auto value = GLenum(p[0]);
  switch (pname) {
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
      if (!knownEnum(value, {GL_REPEAT, GL_CLAMP, GL_CLAMP_TO_EDGE})) return;
      (pname == GL_TEXTURE_WRAP_S ? t.wrapS : t.wrapT) = value;
      break;
    case GL_TEXTURE_MIN_FILTER:
    case GL_TEXTURE_MAG_FILTER: {
      if (!knownEnum(knownFilter(pname, value))) return;
      const bool wasMipmapped = t.mipmapped();
      (pname == GL_TEXTURE_MIN_FILTER ? t.minFilter : t.magFilter) = value;
      if (t.mipmapped() != wasMipmapped) {
        flushDraws();
        upload(deviceName(target, boundNameOf(target)), t);
      }
      break;
    }
    case GL_TEXTURE_BORDER_COLOR:
      for (int i = 0; i < 4; ++i) t.borderColour[i] = std::clamp(p[i], 0.0f, 1.0f);
      break;
    case GL_TEXTURE_PRIORITY:
      t.priority = std::clamp(p[0], 0.0f, 1.0f);
      break;
    default:
      knownEnum(false);
      return;
  }
  stateChanged();
}

int texParameterValues(GLenum pname) {
  return pname == GL_TEXTURE_BORDER_COLOR ? 4 : 1;
}

// The eye plane is kept in eye coordinates, taken there by the inverse of
// the modelview matrix as it is when the plane is given.
void texGen(GLenum coord, GLenum pname, const float* p) {
  if (!outsideBeginEnd() || !knownEnum(coord >= GL_S && coord <= GL_Q)) return;
  TexGen& g = gl.texture.gen[coord - GL_S];
  switch (pname) {
    case GL_TEXTURE_GEN_MODE: {
      const auto mode = GLenum(p[0]);
      if (!knownEnum(mode, {GL_OBJECT_LINEAR, GL_EYE_LINEAR, GL_SPHERE_MAP})) return;
      if (!knownEnum(mode != GL_SPHERE_MAP || coord == GL_S || coord == GL_T)) return;
      g.mode = mode;
      break;
    }
    case GL_OBJECT_PLANE:
      g.objectPlane = {p[0], p[1], p[2], p[3]};
      break;
    case GL_EYE_PLANE:
      g.eyePlane =
          matrices::planeTimes({p[0], p[1], p[2], p[3]}, matrices::inverse(gl.modelview.back()));
      break;
    default:
      knownEnum(false);
      return;
  }
  stateChanged();
}

int texGenValues(GLenum pname) {
  return pname == GL_TEXTURE_GEN_MODE ? 1 : 4;
}

void texEnv(GLenum target, GLenum pname, const float* p) {
  if (!outsideBeginEnd() || !knownEnum(target == GL_TEXTURE_ENV)) return;
  if (pname == GL_TEXTURE_ENV_MODE) {
    const auto mode = GLenum(p[0]);
    if (!knownEnum(mode, {GL_MODULATE, GL_DECAL, GL_BLEND, GL_REPLACE, GL_ADD, GL_COMBINE})) return;
    if (mode == GL_ADD || mode == GL_COMBINE) return refuse("glTexEnv(GL_TEXTURE_ENV_MODE)", mode);
    gl.texture.envMode = mode;
  } else if (pname == GL_TEXTURE_ENV_COLOR) {
    for (int i = 0; i < 4; ++i) gl.texture.envColour[i] = std::clamp(p[i], 0.0f, 1.0f);
  } else {
    knownEnum(false);
    return;
  }
  stateChanged();
}

int texEnvValues(GLenum pname) {
  return pname == GL_TEXTURE_ENV_COLOR ? 4 : 1;
}

// A glTexImage or glTexSubImage in a list keeps its pixels as they were
// read when it was compiled, laid out afresh.
struct KeptPixels {
  std::vector<std::uint8_t> bytes;
  PixelStore store;
};

KeptPixels keepPixels(GLsizei width, GLsizei height, GLenum format, GLenum type,
                      const void* pixels) {
  KeptPixels kept;
  const bool known = pixels::knownColourFormat(format) || format == GL_COLOR_INDEX;
  if (pixels == nullptr || !known || !pixels::knownType(type)) return kept;
  const std::uint64_t bytes = pixels::imageBytes(width, height, format, type, gl.client.unpack);
  const auto* from = static_cast<const std::uint8_t*>(pixels);
  kept.bytes.assign(from, from + bytes);
  kept.store = gl.client.unpack;
  return kept;
}

// Runs `call` with the unpack store as it was when its pixels were kept.
template <typename Call>
void withStore(const KeptPixels& kept, const Call& call) {
  const PixelStore now = gl.client.unpack;
  gl.client.unpack = kept.store;
  call(kept.bytes.empty() ? nullptr : kept.bytes.data());
  gl.client.unpack = now;
}

}  // namespace

bool TextureObject::filteredInFloats() const {
  if (levels.empty() || widerThanByte(levels[0].internalFormat)) return !levels.empty();
  return wrapS == GL_CLAMP || (target != GL_TEXTURE_1D && wrapT == GL_CLAMP);
}

int TextureObject::levelsSampled() const {
  if (!mipmapped()) return 1;
  int levels = 1;
  for (int size = std::max(width(), height()); size > 1; size /= 2) ++levels;
  return levels;
}

bool imageTakes(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                GLint border) {
  if (!knownEnum(knownTarget(target)) || !validValue(baseFormatOf(internalFormat) != 0)) {
    return false;
  }
  return checkSize(target, level, width, height, border);
}

void setImage(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
              GLint border, std::vector<float>& rgba) {
  Level l;
  takeImage(target, l, internalFormat, width, height, border, rgba);
  setLevel(target, level, std::move(l));
}

void setLevel(GLenum target, GLint level, Level&& l) {
  // Draws gathered before take the image the texture had then.
  flushDraws();
  TextureObject& t = bound(target);
  if (int(t.levels.size()) <= level) t.levels.resize(std::size_t(level) + 1);
  Level before = std::move(t.levels[level]);
  t.levels[level] = std::move(l);
  if (const GLenum error = upload(deviceName(target, boundNameOf(target)), t);
      error != GL_NO_ERROR) {
    t.levels[level] = std::move(before);
    return setError(error);
  }
  stateChanged();
}

bool subImageFits(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height) {
  const TextureObject& t = bound(target);
  if (!validValue(level >= 0 && level < int(t.levels.size()))) return false;
  const Level& l = t.levels[level];
  const int b = l.border, rows = target == GL_TEXTURE_1D ? 0 : b;
  return validValue(width >= 0 && height >= 0 && x >= -b && y >= -rows &&
                    x + width <= l.width + b && y + height <= l.height + rows);
}

void setSubImage(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                 const std::vector<float>& rgba) {
  flushDraws();
  TextureObject& t = bound(target);
  Level& l = t.levels[level];
  std::vector<std::uint8_t> texels;
  toTexels(rgba, l.internalFormat, texels);
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const int tx = x + col, ty = y + row;
      if (tx < 0 || ty < 0 || tx >= l.width || ty >= l.height) continue;  // on the border
      std::copy_n(&texels[(std::size_t(row) * std::size_t(width) + std::size_t(col)) * 4], 4,
                  &l.texels[(std::size_t(ty) * std::size_t(l.width) + std::size_t(tx)) * 4]);
    }
  }
  upload(deviceName(target, boundNameOf(target)), t);
  stateChanged();
}

const TextureObject* completeTexture(GLenum target) {
  if (target == 0) return nullptr;
  const TextureObject& t = bound(target);
  return complete(t) ? &t : nullptr;
}

GLuint boundName(GLenum target) {
  return deviceName(target, boundNameOf(target));
}

bool wrappedFirst(int texels) {
  return (texels & (texels - 1)) != 0;
}

Place placeOf(const TextureObject& t, int level) {
  if (level == 0) return {0, 0};
  int y = 0;
  for (int l = 1; l < level; ++l) y += levelSize(t.height(), l);
  return {t.width(), y};
}

Place atlasSize(const TextureObject& t) {
  const int levels = complete(t) ? t.levelsSampled() : 1;
  if (levels == 1) return {t.width(), t.height()};
  const Place last = placeOf(t, levels - 1);
  return {t.width() + levelSize(t.width(), 1), std::max(t.height(), last.y + 1)};
}

std::array<float, 4> filteredTexel(const TextureObject& texture, float s, float t) {
  const Level& l = texture.levels[0];
  const int width = l.width, height = l.height;
  const auto texelAt = [&](std::int64_t x, std::int64_t y, int c) {
    x = (x % width + width) % width;
    y = (y % height + height) % height;
    return l.texels[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4 + std::size_t(c)] /
           255.0f;
  };
  std::array<float, 4> texel{0, 0, 0, 1};
  if (texture.magFilter == GL_NEAREST) {
    const auto at = [](float coordinate, int texels) {
      const float place = wrappedFirst(texels) ? coordinate - std::floor(coordinate) : coordinate;
      return std::int64_t(std::floor(place * float(texels)));
    };
    for (int c = 0; c < 4; ++c) texel[c] = texelAt(at(s, width), at(t, height), c);
    return texel;
  }
  // The place along a side in 1/256 of a texel, less half a texel.
  const auto fixed = [](float coordinate, int texels) {
    const float place = wrappedFirst(texels) ? coordinate - std::floor(coordinate) : coordinate;
    return std::int64_t(std::floor(place * float(texels) * 256.0f + 0.5f)) - 128;
  };
  const std::int64_t u = fixed(s, width), v = height > 1 ? fixed(t, height) : 0;
  const std::int64_t i = u >> 8, j = v >> 8;
  const float fx = float(u & 255) / 256.0f, fy = float(v & 255) / 256.0f;
  for (int c = 0; c < 4; ++c) {
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
  const auto remake = [](GLuint name, TextureObject& t) {
    if (t.levels.empty() || t.width() == 0) return;
    const GLint limit = device::maxTextureSize();
    GLenum error = GL_NO_ERROR;
    if (t.width() > limit || t.height() > limit) {
      std::fprintf(stderr,
                   "marblechess: texture %u is drawn without its image: its %d x %d is more than"
                   " the %d x %d the restored WebGL context takes\n",
                   name, t.width(), t.height(), limit, limit);
    } else if ((error = upload(name, t)) != GL_NO_ERROR) {
      std::fprintf(stderr,
                   "marblechess: texture %u is drawn without its image: the restored WebGL context"
                   " refused it with 0x%04X\n",
                   name, error);
    } else {
      return;
    }
    t.levels.clear();
    stateChanged();
  };
  for (auto& [name, t] : objects) remake(name, t);
  remake(deviceName(GL_TEXTURE_1D, 0), defaults[0]);
  remake(deviceName(GL_TEXTURE_2D, 0), defaults[1]);
}

// What glGet asks of the textures.
const TextureObject& boundObject(GLenum target) {
  return bound(target);
}

}  // namespace standin::textures

using namespace standin;
using namespace standin::textures;

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
  if (!outsideBeginEnd() || !validValue(n >= 0)) return;
  GLuint name = highestName;
  for (GLsizei i = 0; i < n; ++i) {
    do {
      ++name;
    } while (name == 0 || objects.count(name) != 0 || generated.count(name) != 0);
    textures[i] = name;
    generated.insert(name);
    highestName = std::max(highestName, name);
  }
}

void glDeleteTextures(GLsizei n, const GLuint* textures) {
  if (!outsideBeginEnd() || !validValue(n >= 0)) return;
  flushDraws();
  for (GLsizei i = 0; i < n; ++i) {
    const GLuint name = textures[i];
    if (name == 0) continue;
    for (GLenum target : {GL_TEXTURE_1D, GL_TEXTURE_2D}) {
      if (boundNameOf(target) == name) boundNameOf(target) = 0;
    }
    generated.erase(name);
    if (objects.erase(name) != 0) device::forgetTexture(name);
  }
  stateChanged();
}

GLboolean glIsTexture(GLuint texture) {
  if (!outsideBeginEnd()) return GL_FALSE;
  return texture != 0 && objects.count(texture) != 0 ? GL_TRUE : GL_FALSE;
}

GLboolean glAreTexturesResident(GLsizei n, const GLuint* textures, GLboolean* residences) {
  if (!outsideBeginEnd() || !validValue(n >= 0)) return GL_FALSE;
  for (GLsizei i = 0; i < n; ++i) {
    if (!validValue(textures[i] != 0 && objects.count(textures[i]) != 0)) return GL_FALSE;
  }
  (void)residences;
  return GL_TRUE;
}

void glPrioritizeTextures(GLsizei n, const GLuint* textures, const GLclampf* priorities) {
  if (!outsideBeginEnd() || !validValue(n >= 0)) return;
  for (GLsizei i = 0; i < n; ++i) {
    const auto found = objects.find(textures[i]);
    if (found != objects.end()) found->second.priority = std::clamp(priorities[i], 0.0f, 1.0f);
  }
}

void glBindTexture(GLenum target, GLuint texture) {
  perform([=] {
    if (!outsideBeginEnd() || !knownEnum(knownTarget(target))) return;
    if (texture != 0) {
      TextureObject& t = objects[texture];
      highestName = std::max(highestName, texture);
      if (t.target != 0 && t.target != target) return setError(GL_INVALID_OPERATION);
      t.target = target;
      generated.erase(texture);
    }
    boundNameOf(target) = texture;
    stateChanged();
  });
}

void glTexParameterfv(GLenum target, GLenum pname, const GLfloat* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texParameterValues(pname); ++i) p[i] = params[i];
  perform([=] { texParameter(target, pname, p.data()); });
}

void glTexParameteriv(GLenum target, GLenum pname, const GLint* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texParameterValues(pname); ++i) {
    p[i] = pname == GL_TEXTURE_BORDER_COLOR ? fromInt(params[i]) : float(params[i]);
  }
  perform([=] { texParameter(target, pname, p.data()); });
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
  const float p[4] = {param, 0, 0, 0};
  perform([=] {
    if (knownEnum(pname != GL_TEXTURE_BORDER_COLOR)) texParameter(target, pname, p);
  });
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
  glTexParameterf(target, pname, float(param));
}

void glTexImage1D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border,
                  GLenum format, GLenum type, const void* pixels) {
  if (target == GL_TEXTURE_2D) return perform([] { setError(GL_INVALID_ENUM); });
  if (lists::mode() == 0) {
    return texImage(target, level, internalFormat, width, 1, border, format, type, pixels);
  }
  KeptPixels kept = keepPixels(width, 1, format, type, pixels);
  perform([=] {
    withStore(kept, [&](const void* p) {
      texImage(target, level, internalFormat, width, 1, border, format, type, p);
    });
  });
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
  if (target == GL_TEXTURE_1D) return perform([] { setError(GL_INVALID_ENUM); });
  if (lists::mode() == 0) {
    return texImage(target, level, internalFormat, width, height, border, format, type, pixels);
  }
  KeptPixels kept = keepPixels(width, height, format, type, pixels);
  perform([=] {
    withStore(kept, [&](const void* p) {
      texImage(target, level, internalFormat, width, height, border, format, type, p);
    });
  });
}

void glTexSubImage1D(GLenum target, GLint level, GLint x, GLsizei width, GLenum format, GLenum type,
                     const void* pixels) {
  if (target != GL_TEXTURE_1D) return perform([] { setError(GL_INVALID_ENUM); });
  KeptPixels kept = keepPixels(width, 1, format, type, pixels);
  perform([=] {
    withStore(kept,
              [&](const void* p) { texSubImage(target, level, x, 0, width, 1, format, type, p); });
  });
}

void glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                     GLenum format, GLenum type, const void* pixels) {
  if (target != GL_TEXTURE_2D) return perform([] { setError(GL_INVALID_ENUM); });
  if (lists::mode() == 0)
    return texSubImage(target, level, x, y, width, height, format, type, pixels);
  KeptPixels kept = keepPixels(width, height, format, type, pixels);
  perform([=] {
    withStore(kept, [&](const void* p) {
      texSubImage(target, level, x, y, width, height, format, type, p);
    });
  });
}

void glTexEnvfv(GLenum target, GLenum pname, const GLfloat* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texEnvValues(pname); ++i) p[i] = params[i];
  perform([=] { texEnv(target, pname, p.data()); });
}

void glTexEnviv(GLenum target, GLenum pname, const GLint* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texEnvValues(pname); ++i) {
    p[i] = pname == GL_TEXTURE_ENV_COLOR ? fromInt(params[i]) : float(params[i]);
  }
  perform([=] { texEnv(target, pname, p.data()); });
}

// Given so, the environment's colour takes this value and zeros, as the
// desktop's renderer takes it.
void glTexEnvf(GLenum target, GLenum pname, GLfloat param) {
  const float p[4] = {param, 0, 0, 0};
  perform([=] { texEnv(target, pname, p); });
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) {
  glTexEnvf(target, pname, float(param));
}

void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texGenValues(pname); ++i) p[i] = params[i];
  perform([=] { texGen(coord, pname, p.data()); });
}

void glTexGendv(GLenum coord, GLenum pname, const GLdouble* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texGenValues(pname); ++i) p[i] = float(params[i]);
  perform([=] { texGen(coord, pname, p.data()); });
}

void glTexGeniv(GLenum coord, GLenum pname, const GLint* params) {
  std::array<float, 4> p{};
  for (int i = 0; i < texGenValues(pname); ++i) p[i] = float(params[i]);
  perform([=] { texGen(coord, pname, p.data()); });
}

// Given so, a plane takes this value and zeros, as the desktop's renderer
// takes it.
void glTexGenf(GLenum coord, GLenum pname, GLfloat param) {
  const float p[4] = {param, 0, 0, 0};
  perform([=] { texGen(coord, pname, p); });
}

void glTexGeni(GLenum coord, GLenum pname, GLint param) {
  glTexGenf(coord, pname, float(param));
}

void glTexGend(GLenum coord, GLenum pname, GLdouble param) {
  glTexGenf(coord, pname, float(param));
}

}  // extern "C"

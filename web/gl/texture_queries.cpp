// What the program asks of its textures: their parameters, their levels'
// sizes and formats and their images, the texture environment and the
// coordinates' generation, each as the desktop's renderer answers it.

#include <algorithm>
#include <cmath>
#include <vector>

#include "gl/checks.h"
#include "gl/current.h"
#include "gl/pixel_store.h"
#include "gl/state.h"
#include "gl/texture_formats.h"
#include "gl/texturing.h"

using namespace standin;
using namespace standin::textures;

namespace {

bool knownTarget(GLenum target) {
  return outsideBeginEnd() && knownEnum(target, {GL_TEXTURE_1D, GL_TEXTURE_2D});
}

// The parameter's values, and how many; 0 for one GL does not know.
int parameter(const TextureObject& t, GLenum pname, float* values) {
  switch (pname) {
    case GL_TEXTURE_MIN_FILTER:
      return values[0] = float(t.minFilter), 1;
    case GL_TEXTURE_MAG_FILTER:
      return values[0] = float(t.magFilter), 1;
    case GL_TEXTURE_WRAP_S:
      return values[0] = float(t.wrapS), 1;
    case GL_TEXTURE_WRAP_T:
      return values[0] = float(t.wrapT), 1;
    case GL_TEXTURE_BORDER_COLOR:
      std::copy(t.borderColour.begin(), t.borderColour.end(), values);
      return 4;
    case GL_TEXTURE_PRIORITY:
      return values[0] = t.priority, 1;
    case GL_TEXTURE_RESIDENT:
      return values[0] = 1, 1;
    default:
      return 0;
  }
}

// A level's value of `pname`; false for one GL does not know. A level the
// texture lacks is of size 0 and of format RGBA, as the desktop's renderer
// has it.
bool levelParameter(const TextureObject& t, GLint level, GLenum pname, GLint& value) {
  static const Level none{};
  const Level& l = std::size_t(level) < t.levels.size() ? t.levels[std::size_t(level)] : none;
  const InternalFormat* f = internalFormat(l.internalFormat);
  const bool made = l.width > 0;
  switch (pname) {
    case GL_TEXTURE_WIDTH:
      return value = made ? l.width + 2 * l.border : 0, true;
    case GL_TEXTURE_HEIGHT:
      return value = made ? l.height + 2 * l.border : 0, true;
    case GL_TEXTURE_INTERNAL_FORMAT:
      return value = made ? l.internalFormat : GL_RGBA, true;
    case GL_TEXTURE_BORDER:
      return value = made ? l.border : 0, true;
    case GL_TEXTURE_RED_SIZE:
      return value = made && f != nullptr ? f->red : 0, true;
    case GL_TEXTURE_GREEN_SIZE:
      return value = made && f != nullptr ? f->green : 0, true;
    case GL_TEXTURE_BLUE_SIZE:
      return value = made && f != nullptr ? f->blue : 0, true;
    case GL_TEXTURE_ALPHA_SIZE:
      return value = made && f != nullptr ? f->alpha : 0, true;
    case GL_TEXTURE_LUMINANCE_SIZE:
      return value = made && f != nullptr ? f->luminance : 0, true;
    case GL_TEXTURE_INTENSITY_SIZE:
      return value = made && f != nullptr ? f->intensity : 0, true;
    default:
      return false;
  }
}

bool levelInRange(GLint level) {
  return validValue(level >= 0 && level < maxLevels);
}

// The generation's values of `pname` for `coord`, and how many; 0 where GL
// does not know them.
int generation(GLenum coord, GLenum pname, double* values) {
  if (!outsideBeginEnd() || !knownEnum(coord, {GL_S, GL_T, GL_R, GL_Q})) return 0;
  const TexGen& g = gl.texture.gen[coord - GL_S];
  switch (pname) {
    case GL_TEXTURE_GEN_MODE:
      return values[0] = g.mode, 1;
    case GL_OBJECT_PLANE:
      std::copy(g.objectPlane.begin(), g.objectPlane.end(), values);
      return 4;
    case GL_EYE_PLANE:
      std::copy(g.eyePlane.begin(), g.eyePlane.end(), values);
      return 4;
    default:
      return knownEnum(false), 0;
  }
}

}  // namespace

extern "C" {

void glGetTexParameterfv(GLenum target, GLenum pname, GLfloat* params) {
  if (!knownTarget(target)) return;
  float values[4];
  const int n = parameter(boundObject(target), pname, values);
  if (knownEnum(n > 0)) std::copy_n(values, n, params);
}

void glGetTexParameteriv(GLenum target, GLenum pname, GLint* params) {
  if (!knownTarget(target)) return;
  float values[4];
  const int n = parameter(boundObject(target), pname, values);
  if (!knownEnum(n > 0)) return;
  for (int i = 0; i < n; ++i) {
    params[i] = pname == GL_TEXTURE_BORDER_COLOR ? colourToInt(values[i])
                : pname == GL_TEXTURE_PRIORITY   ? colourToInt(values[i])
                                                 : GLint(values[i]);
  }
}

void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* params) {
  if (!outsideBeginEnd() ||
      !knownEnum(target,
                 {GL_TEXTURE_1D, GL_TEXTURE_2D, GL_PROXY_TEXTURE_1D, GL_PROXY_TEXTURE_2D}) ||
      !levelInRange(level)) {
    return;
  }
  GLint value = 0;
  if (knownEnum(levelParameter(boundObject(target), level, pname, value))) *params = value;
}

void glGetTexLevelParameterfv(GLenum target, GLint level, GLenum pname, GLfloat* params) {
  GLint value = 0;
  const GLenum before = gl.error;
  glGetTexLevelParameteriv(target, level, pname, &value);
  if (gl.error == before || before != GL_NO_ERROR) *params = float(value);
}

void glGetTexEnvfv(GLenum target, GLenum pname, GLfloat* params) {
  if (!outsideBeginEnd() || !knownEnum(target, {GL_TEXTURE_ENV})) return;
  if (pname == GL_TEXTURE_ENV_MODE) {
    *params = float(gl.texture.envMode);
  } else if (knownEnum(pname, {GL_TEXTURE_ENV_COLOR})) {
    std::copy(gl.texture.envColour.begin(), gl.texture.envColour.end(), params);
  }
}

void glGetTexEnviv(GLenum target, GLenum pname, GLint* params) {
  if (!outsideBeginEnd() || !knownEnum(target, {GL_TEXTURE_ENV})) return;
  if (pname == GL_TEXTURE_ENV_MODE) {
    *params = GLint(gl.texture.envMode);
  } else if (knownEnum(pname, {GL_TEXTURE_ENV_COLOR})) {
    for (int i = 0; i < 4; ++i) params[i] = colourToInt(gl.texture.envColour[std::size_t(i)]);
  }
}

void glGetTexGendv(GLenum coord, GLenum pname, GLdouble* params) {
  double values[4];
  const int n = generation(coord, pname, values);
  std::copy_n(values, n, params);
}

void glGetTexGenfv(GLenum coord, GLenum pname, GLfloat* params) {
  double values[4];
  const int n = generation(coord, pname, values);
  for (int i = 0; i < n; ++i) params[i] = float(values[i]);
}

void glGetTexGeniv(GLenum coord, GLenum pname, GLint* params) {
  double values[4];
  const int n = generation(coord, pname, values);
  for (int i = 0; i < n; ++i) params[i] = GLint(std::lround(values[i]));
}

// A level's image as the program asks for it, packed by the pixel store
// without the pixel transfer; luminance is the red the texture keeps, and
// a texture of luminance or intensity gives it as red alone.
void glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels) {
  if (!knownTarget(target) || !levelInRange(level)) return;
  if (!knownEnum(pixels::knownColourFormat(format) && pixels::knownType(type))) return;
  if (!pixels::typeMatchesFormat(format, type)) return setError(GL_INVALID_OPERATION);
  const TextureObject& t = boundObject(target);
  if (std::size_t(level) >= t.levels.size() || t.levels[std::size_t(level)].width == 0) return;
  const Level& l = t.levels[std::size_t(level)];
  std::vector<float> rgba(l.texels.size());
  for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = l.texels[i] / 255.0f;
  const bool grey = l.baseFormat == GL_LUMINANCE || l.baseFormat == GL_LUMINANCE_ALPHA ||
                    l.baseFormat == GL_INTENSITY;
  if (grey || format == GL_LUMINANCE || format == GL_LUMINANCE_ALPHA) {
    for (std::size_t i = 0; i < rgba.size(); i += 4) rgba[i + 1] = rgba[i + 2] = 0;
  }
  pixels::pack(l.width, l.height, format, type, rgba.data(), gl.client.pack, PixelModeGroup{},
               pixels);
}

}  // extern "C"

#include "gl/texture_formats.h"

#include <algorithm>
#include <cmath>

namespace standin::textures {

namespace {

// The formats the desktop's renderer chooses for each, and so its bits.
constexpr InternalFormat formats[] = {
    {1, GL_LUMINANCE, 0, 0, 0, 0, 8, 0},
    {2, GL_LUMINANCE_ALPHA, 0, 0, 0, 8, 8, 0},
    {3, GL_RGB, 8, 8, 8, 0, 0, 0},
    {4, GL_RGBA, 8, 8, 8, 8, 0, 0},
    {GL_ALPHA, GL_ALPHA, 0, 0, 0, 8, 0, 0},
    {GL_ALPHA4, GL_ALPHA, 0, 0, 0, 8, 0, 0},
    {GL_ALPHA8, GL_ALPHA, 0, 0, 0, 8, 0, 0},
    {GL_ALPHA12, GL_ALPHA, 0, 0, 0, 16, 0, 0},
    {GL_ALPHA16, GL_ALPHA, 0, 0, 0, 16, 0, 0},
    {GL_LUMINANCE, GL_LUMINANCE, 0, 0, 0, 0, 8, 0},
    {GL_LUMINANCE4, GL_LUMINANCE, 0, 0, 0, 0, 8, 0},
    {GL_LUMINANCE8, GL_LUMINANCE, 0, 0, 0, 0, 8, 0},
    {GL_LUMINANCE12, GL_LUMINANCE, 0, 0, 0, 0, 16, 0},
    {GL_LUMINANCE16, GL_LUMINANCE, 0, 0, 0, 0, 16, 0},
    {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA, 0, 0, 0, 8, 8, 0},
    {GL_LUMINANCE4_ALPHA4, GL_LUMINANCE_ALPHA, 0, 0, 0, 4, 4, 0},
    {GL_LUMINANCE6_ALPHA2, GL_LUMINANCE_ALPHA, 0, 0, 0, 8, 8, 0},
    {GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, 0, 0, 0, 8, 8, 0},
    {GL_LUMINANCE12_ALPHA4, GL_LUMINANCE_ALPHA, 0, 0, 0, 16, 16, 0},
    {GL_LUMINANCE12_ALPHA12, GL_LUMINANCE_ALPHA, 0, 0, 0, 16, 16, 0},
    {GL_LUMINANCE16_ALPHA16, GL_LUMINANCE_ALPHA, 0, 0, 0, 16, 16, 0},
    {GL_INTENSITY, GL_INTENSITY, 0, 0, 0, 0, 0, 8},
    {GL_INTENSITY4, GL_INTENSITY, 0, 0, 0, 0, 0, 8},
    {GL_INTENSITY8, GL_INTENSITY, 0, 0, 0, 0, 0, 8},
    {GL_INTENSITY12, GL_INTENSITY, 0, 0, 0, 0, 0, 16},
    {GL_INTENSITY16, GL_INTENSITY, 0, 0, 0, 0, 0, 16},
    {GL_RGB, GL_RGB, 8, 8, 8, 0, 0, 0},
    {GL_R3_G3_B2, GL_RGB, 3, 3, 2, 0, 0, 0},
    {GL_RGB4, GL_RGB, 4, 4, 4, 0, 0, 0},
    {GL_RGB5, GL_RGB, 5, 5, 5, 0, 0, 0},
    {GL_RGB8, GL_RGB, 8, 8, 8, 0, 0, 0},
    {GL_RGB10, GL_RGB, 10, 10, 10, 0, 0, 0},
    {GL_RGB12, GL_RGB, 16, 16, 16, 0, 0, 0},
    {GL_RGB16, GL_RGB, 16, 16, 16, 0, 0, 0},
    {GL_RGBA, GL_RGBA, 8, 8, 8, 8, 0, 0},
    {GL_RGBA2, GL_RGBA, 4, 4, 4, 4, 0, 0},
    {GL_RGBA4, GL_RGBA, 4, 4, 4, 4, 0, 0},
    {GL_RGB5_A1, GL_RGBA, 5, 5, 5, 1, 0, 0},
    {GL_RGBA8, GL_RGBA, 8, 8, 8, 8, 0, 0},
    {GL_RGB10_A2, GL_RGBA, 10, 10, 10, 2, 0, 0},
    {GL_RGBA12, GL_RGBA, 16, 16, 16, 16, 0, 0},
    {GL_RGBA16, GL_RGBA, 16, 16, 16, 16, 0, 0},
};

// The nearest whole number to x >= 0, as lround gives it. x is a float
// times a number of at most 8 bits, so x and x + 0.5 are exact in a
// double and the sum's whole part is lround's, without a call for each of
// a texture's components.
int rounded(double x) {
  return int(x + 0.5);
}

// A component kept in `bits` bits, widened back to a byte.
std::uint8_t kept(float v, int bits) {
  const double c = std::clamp(double(v), 0.0, 1.0);
  if (bits == 0 || bits >= 8) return std::uint8_t(rounded(c * 255.0));
  const int q = rounded(c * double((1 << bits) - 1));
  int byte = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) {
    byte |= shift >= 0 ? q << shift : q >> -shift;
  }
  return std::uint8_t(byte);
}

}  // namespace

const InternalFormat* internalFormat(GLint name) {
  for (const InternalFormat& f : formats) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

GLenum baseFormatOf(GLint name) {
  const InternalFormat* f = internalFormat(name);
  return f != nullptr ? f->base : 0;
}

bool widerThanByte(GLint name) {
  const InternalFormat* f = internalFormat(name);
  return f != nullptr &&
         std::max({f->red, f->green, f->blue, f->alpha, f->luminance, f->intensity}) > 8;
}

namespace {

// RGBA, floats or bytes, as texels: `keep` keeps a component in its bits.
template <typename T, typename Keep>
void texelsOf(const std::vector<T>& rgba, const InternalFormat& f, Keep keep,
              std::vector<std::uint8_t>& texels) {
  texels.resize(rgba.size());
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    const T* c = &rgba[i];
    std::uint8_t* t = &texels[i];
    switch (f.base) {
      case GL_ALPHA:
        t[0] = t[1] = t[2] = 0, t[3] = keep(c[3], f.alpha);
        break;
      case GL_LUMINANCE:
        t[0] = t[1] = t[2] = keep(c[0], f.luminance), t[3] = 255;
        break;
      case GL_LUMINANCE_ALPHA:
        t[0] = t[1] = t[2] = keep(c[0], f.luminance), t[3] = keep(c[3], f.alpha);
        break;
      case GL_INTENSITY:
        t[0] = t[1] = t[2] = t[3] = keep(c[0], f.intensity);
        break;
      case GL_RGB:
        t[0] = keep(c[0], f.red), t[1] = keep(c[1], f.green), t[2] = keep(c[2], f.blue);
        t[3] = 255;
        break;
      default:
        t[0] = keep(c[0], f.red), t[1] = keep(c[1], f.green), t[2] = keep(c[2], f.blue);
        t[3] = keep(c[3], f.alpha);
    }
  }
}

}  // namespace

void toTexels(const std::vector<float>& rgba, GLint name, std::vector<std::uint8_t>& texels) {
  texelsOf(rgba, *internalFormat(name), kept, texels);
}

bool keepsBytes(GLint name) {
  const InternalFormat& f = *internalFormat(name);
  for (const int bits : {f.red, f.green, f.blue, f.alpha, f.luminance, f.intensity}) {
    if (bits != 0 && bits < 8) return false;
  }
  return true;
}

// A byte kept in a byte or more comes back as it was.
void bytesToTexels(const std::vector<std::uint8_t>& rgba, GLint name,
                   std::vector<std::uint8_t>& texels) {
  texelsOf(
      rgba, *internalFormat(name), [](std::uint8_t c, int) { return c; }, texels);
}

}  // namespace standin::textures

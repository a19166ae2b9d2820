// Textures made of the framebuffer's colours: read after the draws
// gathered before, through the pixel transfer, as glCopyPixels reads
// them, into a level whole or in part.

#include <GL/gl.h>

#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/pixel_store.h"
#include "gl/state.h"
#include "gl/texturing.h"

using namespace standin;

namespace {

std::vector<float> framebufferColours(GLint x, GLint y, GLsizei width, GLsizei height) {
  flushDraws();
  std::vector<std::uint8_t> bytes(std::size_t(width) * std::size_t(height) * 4);
  if (!bytes.empty()) device::readPixels(x, y, width, height, bytes.data());
  std::vector<float> rgba(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) rgba[i] = float(bytes[i]) / 255.0f;
  pixels::transfer(rgba, gl.pixelMode);
  return rgba;
}

void copyImage(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y, GLsizei width,
               GLsizei height, GLint border) {
  if (!outsideBeginEnd()) return;
  if (!textures::imageTakes(target, level, GLint(internalFormat), width, height, border)) return;
  std::vector<float> rgba = framebufferColours(x, y, width, height);
  textures::setImage(target, level, GLint(internalFormat), width, height, border, rgba);
}

void copySubImage(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y,
                  GLsizei width, GLsizei height) {
  if (!outsideBeginEnd()) return;
  if (!knownEnum(target == GL_TEXTURE_1D || target == GL_TEXTURE_2D)) return;
  if (!textures::subImageFits(target, level, xoffset, yoffset, width, height)) return;
  textures::setSubImage(target, level, xoffset, yoffset, width, height,
                        framebufferColours(x, y, width, height));
}

}  // namespace

extern "C" {

void glCopyTexImage1D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y,
                      GLsizei width, GLint border) {
  perform([=] {
    if (!knownEnum(target == GL_TEXTURE_1D)) return;
    copyImage(target, level, internalFormat, x, y, width, 1, border);
  });
}

void glCopyTexImage2D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y,
                      GLsizei width, GLsizei height, GLint border) {
  perform([=] {
    if (!knownEnum(target == GL_TEXTURE_2D)) return;
    copyImage(target, level, internalFormat, x, y, width, height, border);
  });
}

void glCopyTexSubImage1D(GLenum target, GLint level, GLint xoffset, GLint x, GLint y,
                         GLsizei width) {
  perform([=] {
    if (!knownEnum(target == GL_TEXTURE_1D)) return;
    copySubImage(target, level, xoffset, 0, x, y, width, 1);
  });
}

void glCopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y,
                         GLsizei width, GLsizei height) {
  perform([=] {
    if (!knownEnum(target == GL_TEXTURE_2D)) return;
    copySubImage(target, level, xoffset, yoffset, x, y, width, height);
  });
}

}  // extern "C"

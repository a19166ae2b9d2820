#include "texture/texture.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/gl.h"
#include "app/state.h"
#include "texture/bmp.h"
#include "texture/texture_file.h"

namespace {

// A picture the reader took may still be more than the renderer takes: GL
// then leaves the texture without an image, which draws as no texture, and
// this says why.
void reportRefusedUpload(const std::string& file, const Image& image) {
  const GLenum error = glGetError();
  if (error == GL_NO_ERROR) return;
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  if (image.sizeX > static_cast<std::uint32_t>(limit) ||
      image.sizeY > static_cast<std::uint32_t>(limit)) {
    std::printf("Size from %s is too large for the renderer: %u x %u, at most %d x %d\n",
                file.c_str(), image.sizeX, image.sizeY, limit, limit);
  } else {
    std::printf("Texture from %s is refused by the renderer: GL error 0x%04X\n", file.c_str(),
                error);
  }
}

}  // namespace

void loadTexture() {
  Image image;
  const std::string file = textureFile();
  if (!loadBmp(file.c_str(), image)) return;
  glGenTextures(1, &textureId);
  glBindTexture(GL_TEXTURE_2D, textureId);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<float>(GL_REPEAT));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<float>(GL_REPEAT));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<float>(GL_LINEAR));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<float>(GL_LINEAR));
  // The reader packs rows without padding; GL expects rows aligned to 4 bytes
  // unless told otherwise, which matters for widths not a multiple of 4.
  const bool packedRowsAligned = image.sizeX % 4 == 0;
  if (!packedRowsAligned) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, static_cast<GLsizei>(image.sizeX),
               static_cast<GLsizei>(image.sizeY), 0, GL_RGB, GL_UNSIGNED_BYTE, image.data.get());
  reportRefusedUpload(file, image);
  if (!packedRowsAligned) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

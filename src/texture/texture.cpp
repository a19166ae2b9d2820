#include "texture/texture.h"

#include "app/gl.h"
#include "app/state.h"
#include "texture/bmp.h"
#include "texture/texture_file.h"

void loadTexture() {
  Image image;
  if (!loadBmp(textureFile().c_str(), image)) return;
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
  if (!packedRowsAligned) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

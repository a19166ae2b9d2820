// Texture objects, their one image, the modulate environment and
// object-linear generation of s and t. The image goes to WebGL as it is
// (device.cpp), sampled texel by texel: the fragment stage does the repeat
// and the linear filter, which WebGL 1 refuses for sizes that are not
// powers of two. An image WebGL refuses leaves the texture without one,
// which draws as no texture, as GL draws an incomplete one.

#include <webgl/webgl1.h>

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"
#include "gl/unsupported.h"

using namespace standin;

extern "C" {

void glGenTextures(GLsizei n, GLuint* textures) {
  if (n < 0) return setError(GL_INVALID_VALUE);
  for (GLsizei i = 0; i < n; ++i) textures[i] = device::newTexture();
}

void glPixelStorei(GLenum pname, GLint param) {
  if (pname != GL_UNPACK_ALIGNMENT) return unsupported("glPixelStorei", pname);
  if (param != 1 && param != 2 && param != 4 && param != 8) return setError(GL_INVALID_VALUE);
  gl.unpackAlignment = param;
}

void glBindTexture(GLenum target, GLuint texture) {
  if (target != GL_TEXTURE_2D) return unsupported("glBindTexture", target);
  gl.boundTexture = texture;
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
  const GLenum value = static_cast<GLenum>(param);
  const bool wrap = pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T;
  const bool filter = pname == GL_TEXTURE_MAG_FILTER || pname == GL_TEXTURE_MIN_FILTER;
  if (target != GL_TEXTURE_2D || !(wrap || filter)) return unsupported("glTexParameter", pname);
  if ((wrap && value != GL_REPEAT) || (filter && value != GL_LINEAR)) {
    unsupported("glTexParameter", value);
  }
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const void* pixels) {
  if (target != GL_TEXTURE_2D || level != 0 || border != 0)
    return unsupported("glTexImage2D", level);
  if ((internalFormat != 3 && internalFormat != GL_RGB) || format != GL_RGB ||
      type != GL_UNSIGNED_BYTE) {
    return unsupported("glTexImage2D", format);
  }
  if (gl.boundTexture == 0) return unsupported("glTexImage2D", 0);
  // Draws gathered before take the image the texture had then.
  flushDraws();
  const GLenum error = device::setImage(gl.boundTexture, width, height, gl.unpackAlignment, pixels);
  if (error != GL_NO_ERROR) setError(error);
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) {
  if (target != GL_TEXTURE_ENV || pname != GL_TEXTURE_ENV_MODE)
    return unsupported("glTexEnv", pname);
  if (param != GL_MODULATE) unsupported("glTexEnv", param);
}

void glTexGeni(GLenum coord, GLenum pname, GLint param) {
  if (coord != GL_S && coord != GL_T) return unsupported("glTexGen", coord);
  if (pname != GL_TEXTURE_GEN_MODE) return unsupported("glTexGen", pname);
  if (param != GL_OBJECT_LINEAR) unsupported("glTexGen", param);
}

void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
  if (pname != GL_OBJECT_PLANE) return unsupported("glTexGen", pname);
  const Vec4 plane{params[0], params[1], params[2], params[3]};
  if (coord == GL_S) {
    gl.sPlane = plane;
  } else if (coord == GL_T) {
    gl.tPlane = plane;
  } else {
    unsupported("glTexGen", coord);
  }
}

}  // extern "C"

// The pixel store, the pixel transfer and its maps, the zoom, and the
// pixels the program reads back from the framebuffer.

#include <algorithm>
#include <cmath>
#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/pixel_store.h"
#include "gl/state.h"

using namespace standin;

namespace {

void store(GLenum pname, double value) {
  if (!outsideBeginEnd()) return;
  ClientState& c = gl.client;
  const bool pack = pname >= GL_PACK_SWAP_BYTES && pname <= GL_PACK_ALIGNMENT;
  PixelStore& s = pack ? c.pack : c.unpack;
  const GLenum name = pack ? pname - GL_PACK_SWAP_BYTES + GL_UNPACK_SWAP_BYTES : pname;
  const auto whole = GLint(std::lround(value));
  switch (name) {
    case GL_UNPACK_SWAP_BYTES:
      s.swapBytes = value != 0;
      return;
    case GL_UNPACK_LSB_FIRST:
      s.lsbFirst = value != 0;
      return;
    case GL_UNPACK_ROW_LENGTH:
      if (validValue(whole >= 0)) s.rowLength = whole;
      return;
    case GL_UNPACK_SKIP_ROWS:
      if (validValue(whole >= 0)) s.skipRows = whole;
      return;
    case GL_UNPACK_SKIP_PIXELS:
      if (validValue(whole >= 0)) s.skipPixels = whole;
      return;
    case GL_UNPACK_ALIGNMENT:
      if (validValue(whole == 1 || whole == 2 || whole == 4 || whole == 8)) s.alignment = whole;
      return;
    default:
      knownEnum(false);
  }
}

void transfer(GLenum pname, float value) {
  if (!outsideBeginEnd()) return;
  PixelModeGroup& p = gl.pixelMode;
  switch (pname) {
    case GL_MAP_COLOR:
      p.mapColour = value != 0;
      return;
    case GL_MAP_STENCIL:
      p.mapStencil = value != 0;
      return;
    case GL_INDEX_SHIFT:
      p.indexShift = GLint(std::lround(value));
      return;
    case GL_INDEX_OFFSET:
      p.indexOffset = GLint(std::lround(value));
      return;
    case GL_RED_SCALE:
      p.scale[0] = value;
      return;
    case GL_GREEN_SCALE:
      p.scale[1] = value;
      return;
    case GL_BLUE_SCALE:
      p.scale[2] = value;
      return;
    case GL_ALPHA_SCALE:
      p.scale[3] = value;
      return;
    case GL_RED_BIAS:
      p.bias[0] = value;
      return;
    case GL_GREEN_BIAS:
      p.bias[1] = value;
      return;
    case GL_BLUE_BIAS:
      p.bias[2] = value;
      return;
    case GL_ALPHA_BIAS:
      p.bias[3] = value;
      return;
    case GL_DEPTH_SCALE:
      p.depthScale = value;
      return;
    case GL_DEPTH_BIAS:
      p.depthBias = value;
      return;
    default:
      knownEnum(false);
  }
}

// A map's values, those of the colour maps clamped to [0, 1].
void pixelMap(GLenum map, const std::vector<float>& values) {
  if (!outsideBeginEnd()) return;
  if (!knownEnum(map >= GL_PIXEL_MAP_I_TO_I && map <= GL_PIXEL_MAP_A_TO_A)) return;
  const auto size = values.size();
  const bool powerOfTwo = size > 0 && (size & (size - 1)) == 0;
  const bool indexed = map == GL_PIXEL_MAP_I_TO_I || map == GL_PIXEL_MAP_S_TO_S;
  if (!validValue(size >= 1 && size <= 256 && (!indexed || powerOfTwo))) return;
  PixelMap& m = gl.pixelMode.maps[map - GL_PIXEL_MAP_I_TO_I];
  m.values = values;
  if (map >= GL_PIXEL_MAP_I_TO_R) {
    for (float& v : m.values) v = std::clamp(v, 0.0f, 1.0f);
  }
}

template <typename T>
void getMap(GLenum map, T* values, float scale) {
  if (!outsideBeginEnd()) return;
  if (!knownEnum(map >= GL_PIXEL_MAP_I_TO_I && map <= GL_PIXEL_MAP_A_TO_A)) return;
  const std::vector<float>& m = gl.pixelMode.maps[map - GL_PIXEL_MAP_I_TO_I].values;
  const bool colour = map >= GL_PIXEL_MAP_I_TO_R;
  for (std::size_t i = 0; i < m.size(); ++i) {
    values[i] = T(colour && scale != 1.0f ? std::lround(double(m[i]) * scale) : m[i]);
  }
}

}  // namespace

extern "C" {

void glPixelStoref(GLenum pname, GLfloat param) {
  store(pname, param);
}

void glPixelStorei(GLenum pname, GLint param) {
  store(pname, param);
}

void glPixelTransferf(GLenum pname, GLfloat param) {
  perform([=] { transfer(pname, param); });
}

void glPixelTransferi(GLenum pname, GLint param) {
  glPixelTransferf(pname, float(param));
}

void glPixelZoom(GLfloat xfactor, GLfloat yfactor) {
  perform([=] {
    if (!outsideBeginEnd()) return;
    gl.pixelMode.zoomX = xfactor;
    gl.pixelMode.zoomY = yfactor;
  });
}

void glPixelMapfv(GLenum map, GLsizei size, const GLfloat* values) {
  std::vector<float> v(values, values + std::max(size, 0));
  perform([=] { pixelMap(map, v); });
}

void glPixelMapuiv(GLenum map, GLsizei size, const GLuint* values) {
  std::vector<float> v;
  const bool colour = map >= GL_PIXEL_MAP_I_TO_R;
  for (GLsizei i = 0; i < size; ++i)
    v.push_back(colour ? float(values[i] / 4294967295.0) : float(values[i]));
  perform([=] { pixelMap(map, v); });
}

void glPixelMapusv(GLenum map, GLsizei size, const GLushort* values) {
  std::vector<float> v;
  const bool colour = map >= GL_PIXEL_MAP_I_TO_R;
  for (GLsizei i = 0; i < size; ++i) v.push_back(colour ? values[i] / 65535.0f : float(values[i]));
  perform([=] { pixelMap(map, v); });
}

void glGetPixelMapfv(GLenum map, GLfloat* values) {
  getMap(map, values, 1.0f);
}

void glGetPixelMapuiv(GLenum map, GLuint* values) {
  getMap(map, values, 4294967295.0f);
}

void glGetPixelMapusv(GLenum map, GLushort* values) {
  getMap(map, values, 65535.0f);
}

// The framebuffer's colours, read after the draws gathered before, and
// written as the program asks. The window's depth and stencil are WebGL's
// own, which it does not read back.
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels) {
  if (!outsideBeginEnd() || !validValue(width >= 0 && height >= 0)) return;
  if (format == GL_DEPTH_COMPONENT || format == GL_STENCIL_INDEX || format == GL_COLOR_INDEX) {
    if (knownEnum(pixels::knownType(type) || type == GL_BITMAP)) refuse("glReadPixels", format);
    return;
  }
  if (!knownEnum(pixels::knownColourFormat(format) && pixels::knownType(type))) return;
  if (!pixels::typeMatchesFormat(format, type)) return setError(GL_INVALID_OPERATION);
  if (width == 0 || height == 0) return;
  flushDraws();
  std::vector<std::uint8_t> bytes(std::size_t(width) * std::size_t(height) * 4);
  device::readPixels(x, y, width, height, bytes.data());
  std::vector<float> rgba(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) rgba[i] = bytes[i] / 255.0f;
  pixels::pack(width, height, format, type, rgba.data(), gl.client.pack, gl.pixelMode, pixels);
}

}  // extern "C"

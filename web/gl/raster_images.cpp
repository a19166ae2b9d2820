// What is drawn at the raster position: bitmaps, pixels from the
// program's memory and pixels copied from the framebuffer. Each is drawn
// as the desktop's renderer draws it: squares of fragments at the raster
// position's depth, of the raster colour or the pixel's own, textured
// with the raster position's coordinates, fogged as at the eye, through
// every per-fragment operation, across the whole window whatever the
// viewport, and not cut by clip planes.

#include <algorithm>
#include <cmath>
#include <vector>

#include "gl/batch.h"
#include "gl/checks.h"
#include "gl/device.h"
#include "gl/lists.h"
#include "gl/made_vertices.h"
#include "gl/pixel_store.h"
#include "gl/state.h"

using namespace standin;

namespace {

// A span of window pixels, from `first` to before `end`, that one pixel
// of an image covers.
struct Span {
  int first, end;
};

// The columns or rows each of `count` image pixels covers, drawn from
// `start` at `zoom`: the pixels whose centres the zoomed image covers,
// each of the image pixel its centre falls in. A centre on the border
// of two goes to the lower in columns, to the higher in rows, as the
// desktop's renderer interpolates it.
std::vector<Span> spans(int start, int count, float zoom, bool columns) {
  std::vector<Span> out(std::size_t(count), Span{0, 0});
  const double from = start, to = start + double(count) * zoom;
  const auto low = int(std::ceil(std::min(from, to) - 0.5));
  const auto high = int(std::ceil(std::max(from, to) - 0.5));
  for (int pixel = low; pixel < high; ++pixel) {
    const double at = (pixel + 0.5 - from) / zoom;
    const auto i = std::clamp(int(columns ? std::ceil(at) - 1 : std::floor(at)), 0, count - 1);
    Span& s = out[std::size_t(i)];
    // The pixels come in order, so each image pixel's are one run.
    if (s.first == s.end) s.first = pixel;
    s.end = pixel + 1;
  }
  return out;
}

// Squares of fragments, each of its own colour, gathered for one draw.
struct Squares {
  Viewport window{};
  float depth = 0;
  int height = 0;
  Values values{};
  MadeVertices made;

  Squares() {
    const int width = device::drawingBufferWidth();
    height = device::drawingBufferHeight();
    const ViewportGroup& v = gl.viewport;
    const float nearVal = float(v.nearVal), farVal = float(v.farVal);
    window = {{float(width) / 2, -float(height) / 2, (farVal - nearVal) / 2},
              {float(width) / 2, float(height) / 2, (farVal + nearVal) / 2}};
    const RasterPosition& r = gl.current.raster;
    depth = window.scale[2] != 0 ? (r.window[2] - window.translate[2]) / window.scale[2] : 0;
    const float q = r.texCoord[3] != 0 ? r.texCoord[3] : 1;
    for (int i = 0; i < 3; ++i) values.texCoord[i] = r.texCoord[i] / q;
    values.texCoord[3] = 1;
    values.w = 1;
  }

  // The pixels from column `x0` to before `x1`, row `y0` to before `y1`.
  void add(int x0, int x1, int y0, int y1, const float* colour) {
    std::copy_n(colour, 4, values.colour);
    const Vec4 at{0, 0, depth, 1};
    const float top = float(height - y1), bottom = float(height - y0);
    const lines::Point corners[4] = {
        {float(x0), bottom}, {float(x1), bottom}, {float(x1), top}, {float(x0), top}};
    for (const int k : {0, 1, 2, 0, 2, 3}) {
      const Vec4 clip = fromWindow(window, corners[k], at);
      made.add(values, values, &clip);
    }
  }

  // Drawn across the whole window, the viewport put back after.
  void draw() {
    if (made.ws.empty() || fragmentsRefused()) return;
    const Materials materials = currentMaterials();
    Vertices like{};
    like.texCoords = values.texCoord;
    like.materials = &materials;
    like.materialCount = 1;
    const ViewportGroup& v = gl.viewport;
    const bool whole =
        v.x == 0 && v.y == 0 && v.width == device::drawingBufferWidth() && v.height == height;
    if (!whole) {
      flushDraws();
      device::setViewport(0, 0, device::drawingBufferWidth(), height);
    }
    Key image;
    put(image, keys::image, 1);
    drawMade(like, made, image);
    if (!whole) {
      flushDraws();
      device::setViewport(v.x, v.y, v.width, v.height);
    }
  }
};

void bitmap(GLsizei width, GLsizei height, float xorig, float yorig, float xmove, float ymove,
            const std::vector<std::uint8_t>& bits) {
  RasterPosition& r = gl.current.raster;
  if (!r.valid) return;
  // A little over the raster position, as the renderer takes it, so that
  // a position a rounding below a whole pixel lands on that pixel.
  const auto x = int(std::floor(r.window[0] + 0.0001f - xorig));
  const auto y = int(std::floor(r.window[1] + 0.0001f - yorig));
  Squares squares;
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* line = bits.data() + std::size_t(row) * std::size_t(width);
    for (int col = 0; col < width;) {
      if (line[col] == 0) {
        ++col;
        continue;
      }
      const int from = col;
      while (col < width && line[col] != 0) ++col;
      squares.add(x + from, x + col, y + row, y + row + 1, r.colour.data());
    }
  }
  squares.draw();
  r.window[0] += xmove;
  r.window[1] += ymove;
}

// An image of RGBA floats, bottom row first, drawn at the raster position
// through the zoom.
void drawImage(GLsizei width, GLsizei height, const std::vector<float>& rgba) {
  const RasterPosition& r = gl.current.raster;
  if (!r.valid || width == 0 || height == 0) return;
  const PixelModeGroup& p = gl.pixelMode;
  const auto x = int(std::lround(r.window[0])), y = int(std::lround(r.window[1]));
  const std::vector<Span> columns = spans(x, width, p.zoomX, true);
  const std::vector<Span> rows = spans(y, height, p.zoomY, false);
  Squares squares;
  for (int row = 0; row < height; ++row) {
    const Span& down = rows[std::size_t(row)];
    if (down.first == down.end) continue;
    for (int col = 0; col < width; ++col) {
      const Span& across = columns[std::size_t(col)];
      if (across.first == across.end) continue;
      const float* colour = rgba.data() + (std::size_t(row) * std::size_t(width) + col) * 4;
      squares.add(across.first, across.end, down.first, down.end, colour);
    }
  }
  squares.draw();
}

// The checks of glDrawPixels' format and type; false where GL refuses
// them, its error recorded.
bool drawable(GLenum format, GLenum type) {
  const bool other =
      format == GL_COLOR_INDEX || format == GL_STENCIL_INDEX || format == GL_DEPTH_COMPONENT;
  if (!knownEnum((pixels::knownColourFormat(format) || other) &&
                 (pixels::knownType(type) || type == GL_BITMAP))) {
    return false;
  }
  if (type == GL_BITMAP) {
    if (format != GL_COLOR_INDEX && format != GL_STENCIL_INDEX) {
      setError(GL_INVALID_ENUM);
      return false;
    }
  } else if (!other && !pixels::typeMatchesFormat(format, type)) {
    setError(GL_INVALID_OPERATION);
    return false;
  }
  return true;
}

}  // namespace

extern "C" {

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove,
              GLfloat ymove, const GLubyte* data) {
  std::vector<std::uint8_t> bits;
  if (width >= 0 && height >= 0) {
    if (data != nullptr) pixels::unpackBitmap(width, height, data, gl.client.unpack, bits);
    bits.resize(std::size_t(width) * std::size_t(height), 0);
  }
  perform([=] {
    if (!outsideBeginEnd() || !validValue(width >= 0 && height >= 0)) return;
    bitmap(width, height, xorig, yorig, xmove, ymove, bits);
  });
}

// Colour images are drawn; depth and stencil, which WebGL cannot write
// pixel by pixel, and colour indices given as bits, are refused.
void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const GLvoid* data) {
  std::vector<float> rgba;
  const bool colour = pixels::knownColourFormat(format) || format == GL_COLOR_INDEX;
  if (width >= 0 && height >= 0 && colour && pixels::knownType(type) &&
      (format == GL_COLOR_INDEX || pixels::typeMatchesFormat(format, type))) {
    pixels::unpack(width, height, format, type, data, gl.client.unpack, gl.pixelMode, rgba);
  }
  perform([=] {
    if (!outsideBeginEnd() || !validValue(width >= 0 && height >= 0)) return;
    if (!drawable(format, type)) return;
    if (!colour || type == GL_BITMAP) return refuse("glDrawPixels", format);
    drawImage(width, height, rgba);
  });
}

void glCopyPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum type) {
  perform([=] {
    if (!outsideBeginEnd() || !validValue(width >= 0 && height >= 0)) return;
    if (!knownEnum(type, {GL_COLOR, GL_DEPTH, GL_STENCIL})) return;
    if (type != GL_COLOR) return refuse("glCopyPixels", type);
    if (!gl.current.raster.valid || width == 0 || height == 0) return;
    flushDraws();
    std::vector<std::uint8_t> bytes(std::size_t(width) * std::size_t(height) * 4);
    device::readPixels(x, y, width, height, bytes.data());
    std::vector<float> rgba(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) rgba[i] = bytes[i] / 255.0f;
    pixels::transfer(rgba, gl.pixelMode);
    drawImage(width, height, rgba);
  });
}

}  // extern "C"

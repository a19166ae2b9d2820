#include "gl/pixel_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace standin::pixels {

namespace {

// How many components a format's groups have.
int componentsOf(GLenum format) {
  switch (format) {
    case GL_RGB:
    case GL_BGR:
      return 3;
    case GL_RGBA:
    case GL_BGRA:
      return 4;
    case GL_LUMINANCE_ALPHA:
      return 2;
    default:
      return 1;
  }
}

// A packed type: its bytes a pixel, how many components, and each
// component's bits from the most significant down (`reversed`: from the
// least significant up).
struct Packed {
  GLenum type;
  int bytes, components;
  int bits[4];
  bool reversed;
};

constexpr Packed packedTypes[] = {
    {GL_UNSIGNED_BYTE_3_3_2, 1, 3, {3, 3, 2, 0}, false},
    {GL_UNSIGNED_BYTE_2_3_3_REV, 1, 3, {3, 3, 2, 0}, true},
    {GL_UNSIGNED_SHORT_5_6_5, 2, 3, {5, 6, 5, 0}, false},
    {GL_UNSIGNED_SHORT_5_6_5_REV, 2, 3, {5, 6, 5, 0}, true},
    {GL_UNSIGNED_SHORT_4_4_4_4, 2, 4, {4, 4, 4, 4}, false},
    {GL_UNSIGNED_SHORT_4_4_4_4_REV, 2, 4, {4, 4, 4, 4}, true},
    {GL_UNSIGNED_SHORT_5_5_5_1, 2, 4, {5, 5, 5, 1}, false},
    {GL_UNSIGNED_SHORT_1_5_5_5_REV, 2, 4, {5, 5, 5, 1}, true},
    {GL_UNSIGNED_INT_8_8_8_8, 4, 4, {8, 8, 8, 8}, false},
    {GL_UNSIGNED_INT_8_8_8_8_REV, 4, 4, {8, 8, 8, 8}, true},
    {GL_UNSIGNED_INT_10_10_10_2, 4, 4, {10, 10, 10, 2}, false},
    {GL_UNSIGNED_INT_2_10_10_10_REV, 4, 4, {10, 10, 10, 2}, true},
};

const Packed* packed(GLenum type) {
  for (const Packed& p : packedTypes) {
    if (p.type == type) return &p;
  }
  return nullptr;
}

int typeBytes(GLenum type) {
  if (const Packed* p = packed(type)) return p->bytes;
  switch (type) {
    case GL_UNSIGNED_BYTE:
    case GL_BYTE:
      return 1;
    case GL_UNSIGNED_SHORT:
    case GL_SHORT:
      return 2;
    default:
      return 4;
  }
}

// The bytes of one group, and of a row, as GL lays them out: a row holds
// the row length's groups (the width where it is 0), and starts at a
// multiple of the alignment where its components are smaller than it.
struct Layout {
  std::uint64_t group, row;
  std::uint64_t start;  // the first pixel, after the skipped rows and pixels
};

Layout layoutOf(GLsizei width, GLenum format, GLenum type, const PixelStore& store) {
  const std::uint64_t size = std::uint64_t(typeBytes(type));
  const std::uint64_t elements = packed(type) ? 1 : std::uint64_t(componentsOf(format));
  const std::uint64_t group = size * elements;
  const std::uint64_t length = std::uint64_t(store.rowLength > 0 ? store.rowLength : width);
  const std::uint64_t alignment = std::uint64_t(store.alignment);
  std::uint64_t row = group * length;
  if (size < alignment) row = (row + alignment - 1) / alignment * alignment;
  return {group, row,
          std::uint64_t(store.skipRows) * row + std::uint64_t(store.skipPixels) * group};
}

std::uint32_t readUnsigned(const std::uint8_t* at, int bytes, bool swap) {
  if (bytes == 1) return at[0];  // most images' case, read once for each component
  std::uint8_t b[4] = {0, 0, 0, 0};
  std::memcpy(b, at, std::size_t(bytes));
  if (swap) std::reverse(b, b + bytes);
  std::uint32_t v = 0;
  std::memcpy(&v, b, std::size_t(bytes));
  if (bytes == 2) {
    std::uint16_t s;
    std::memcpy(&s, b, 2);
    return s;
  }
  return v;
}

// A component of a plain type as a float: unsigned ones over their
// largest, signed ones by GL's (2c + 1) / (2^b - 1), floats as they are.
float readComponent(const std::uint8_t* at, GLenum type, int size, bool swap) {
  const std::uint32_t u = readUnsigned(at, size, swap);
  switch (type) {
    case GL_UNSIGNED_BYTE:
      return float(u) / 255.0f;
    case GL_BYTE:
      return (2.0f * float(std::int8_t(u)) + 1.0f) / 255.0f;
    case GL_UNSIGNED_SHORT:
      return float(u) / 65535.0f;
    case GL_SHORT:
      return (2.0f * float(std::int16_t(u)) + 1.0f) / 65535.0f;
    case GL_UNSIGNED_INT:
      return float(double(u) / 4294967295.0);
    case GL_INT:
      return float((2.0 * double(std::int32_t(u)) + 1.0) / 4294967295.0);
    default: {
      float f;
      std::memcpy(&f, &u, 4);
      return f;
    }
  }
}

// The components of one group in its format's order.
int readGroup(const std::uint8_t* at, GLenum format, GLenum type, bool swap, float* c) {
  if (const Packed* p = packed(type)) {
    const std::uint32_t v = readUnsigned(at, p->bytes, swap);
    int shift = p->reversed ? 0 : p->bytes * 8;
    for (int i = 0; i < p->components; ++i) {
      const int bits = p->bits[i];
      if (!p->reversed) shift -= bits;
      const std::uint32_t max = (1u << bits) - 1;
      c[i] = float((v >> shift) & max) / float(max);
      if (p->reversed) shift += bits;
    }
    return p->components;
  }
  const int n = componentsOf(format);
  const int size = typeBytes(type);
  for (int i = 0; i < n; ++i) c[i] = readComponent(at + i * size, type, size, swap);
  return n;
}

// A group as RGBA, before the pixel transfer, in floats or in bytes, `one`
// being 1 or 255.
template <typename T>
void toRgba(GLenum format, const T* c, T* rgba, T one) {
  rgba[0] = rgba[1] = rgba[2] = 0;
  rgba[3] = one;
  switch (format) {
    case GL_RED:
      rgba[0] = c[0];
      break;
    case GL_GREEN:
      rgba[1] = c[0];
      break;
    case GL_BLUE:
      rgba[2] = c[0];
      break;
    case GL_ALPHA:
      rgba[3] = c[0];
      break;
    case GL_LUMINANCE:
      rgba[0] = rgba[1] = rgba[2] = c[0];
      break;
    case GL_LUMINANCE_ALPHA:
      rgba[0] = rgba[1] = rgba[2] = c[0];
      rgba[3] = c[1];
      break;
    case GL_RGB:
      std::copy(c, c + 3, rgba);
      break;
    case GL_BGR:
      rgba[0] = c[2], rgba[1] = c[1], rgba[2] = c[0];
      break;
    case GL_BGRA:
      rgba[0] = c[2], rgba[1] = c[1], rgba[2] = c[0], rgba[3] = c[3];
      break;
    default:
      std::copy(c, c + 4, rgba);
  }
}

float clamp01(float v) {
  return v < 0.0f ? 0.0f : v > 1.0f ? 1.0f : v;
}

// A colour map, GL_PIXEL_MAP_R_TO_R to A_TO_A, looked up at a clamped
// component.
float mapped(const PixelMap& map, float v) {
  const std::size_t size = map.values.size();
  const auto at = std::size_t(std::lround(double(clamp01(v)) * double(size - 1)));
  return map.values[std::min(at, size - 1)];
}

// Whether the colours' transfer leaves a colour in [0, 1] as it is.
bool transfersNothing(const PixelModeGroup& t) {
  for (int i = 0; i < 4; ++i) {
    if (t.scale[i] != 1.0f || t.bias[i] != 0.0f) return false;
  }
  return !t.mapColour;
}

void transferPixel(float* rgba, const PixelModeGroup& t) {
  for (int i = 0; i < 4; ++i) rgba[i] = rgba[i] * t.scale[i] + t.bias[i];
  if (t.mapColour) {
    // R_TO_R to A_TO_A follow I_TO_I to I_TO_A and S_TO_S in GL's order.
    for (int i = 0; i < 4; ++i) rgba[i] = mapped(t.maps[6 + i], rgba[i]);
  }
  for (int i = 0; i < 4; ++i) rgba[i] = clamp01(rgba[i]);
}

// A colour index of a plain type as it stands: a whole number, or a float.
float readIndex(const std::uint8_t* at, GLenum type, bool swap) {
  const std::uint32_t u = readUnsigned(at, typeBytes(type), swap);
  switch (type) {
    case GL_BYTE:
      return float(std::int8_t(u));
    case GL_SHORT:
      return float(std::int16_t(u));
    case GL_INT:
      return float(std::int32_t(u));
    case GL_FLOAT: {
      float f;
      std::memcpy(&f, &u, 4);
      return f;
    }
    default:
      return float(u);
  }
}

// The entry of an index map of a power of two entries at index `i`.
float lookUp(const PixelMap& map, float i) {
  const auto size = std::int64_t(map.values.size());
  return map.values[std::size_t(std::int64_t(std::floor(i)) & (size - 1))];
}

// A colour index as GL takes it into RGBA: shifted and offset, through
// the index map where colours are mapped, then looked up in the maps of
// each component. The colour's scale, bias and maps are not applied.
void indexToRgba(float index, const PixelModeGroup& t, float* rgba) {
  index = std::ldexp(index, t.indexShift) + float(t.indexOffset);
  if (t.mapColour) index = lookUp(t.maps[0], index);
  for (int i = 0; i < 4; ++i) rgba[i] = clamp01(lookUp(t.maps[2 + i], index));
}

}  // namespace

bool knownColourFormat(GLenum format) {
  switch (format) {
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_RGB:
    case GL_RGBA:
    case GL_BGR:
    case GL_BGRA:
    case GL_LUMINANCE:
    case GL_LUMINANCE_ALPHA:
      return true;
    default:
      return false;
  }
}

bool knownType(GLenum type) {
  switch (type) {
    case GL_UNSIGNED_BYTE:
    case GL_BYTE:
    case GL_UNSIGNED_SHORT:
    case GL_SHORT:
    case GL_UNSIGNED_INT:
    case GL_INT:
    case GL_FLOAT:
      return true;
    default:
      return packed(type) != nullptr;
  }
}

bool typeMatchesFormat(GLenum format, GLenum type) {
  const Packed* p = packed(type);
  if (p == nullptr) return true;
  if (p->components == 3) return format == GL_RGB;
  return format == GL_RGBA || format == GL_BGRA;
}

std::uint64_t imageBytes(GLsizei width, GLsizei height, GLenum format, GLenum type,
                         const PixelStore& store) {
  if (width <= 0 || height <= 0) return 0;
  const Layout l = layoutOf(width, format, type, store);
  return l.start + l.row * std::uint64_t(height - 1) + l.group * std::uint64_t(width);
}

bool unpackBytes(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels,
                 const PixelStore& store, const PixelModeGroup& transfer,
                 std::vector<std::uint8_t>& rgba) {
  if (type != GL_UNSIGNED_BYTE || format == GL_COLOR_INDEX || pixels == nullptr ||
      !transfersNothing(transfer)) {
    return false;
  }
  rgba.resize(std::size_t(width) * std::size_t(height) * 4);
  const Layout l = layoutOf(width, format, type, store);
  const auto* base = static_cast<const std::uint8_t*>(pixels) + l.start;
  const int n = componentsOf(format);
  for (GLsizei y = 0; y < height; ++y) {
    const std::uint8_t* at = base + l.row * std::uint64_t(y);
    std::uint8_t* to = &rgba[std::size_t(y) * std::size_t(width) * 4];
    for (GLsizei x = 0; x < width; ++x, at += n, to += 4) toRgba<std::uint8_t>(format, at, to, 255);
  }
  return true;
}

void unpack(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels,
            const PixelStore& store, const PixelModeGroup& transfer, std::vector<float>& rgba) {
  rgba.assign(std::size_t(width) * std::size_t(height) * 4, 0.0f);
  if (pixels == nullptr) return;
  const Layout l = layoutOf(width, format, type, store);
  const auto* base = static_cast<const std::uint8_t*>(pixels) + l.start;
  float c[4];
  // Each byte over 255 is the float the general reading below gives.
  std::vector<std::uint8_t> bytes;
  if (unpackBytes(width, height, format, type, pixels, store, transfer, bytes)) {
    for (std::size_t i = 0; i < bytes.size(); ++i) rgba[i] = float(bytes[i]) / 255.0f;
    return;
  }
  for (GLsizei y = 0; y < height; ++y) {
    const std::uint8_t* row = base + l.row * std::uint64_t(y);
    for (GLsizei x = 0; x < width; ++x) {
      float* to = &rgba[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4];
      if (format == GL_COLOR_INDEX) {
        indexToRgba(readIndex(row + l.group * std::uint64_t(x), type, store.swapBytes), transfer,
                    to);
        continue;
      }
      readGroup(row + l.group * std::uint64_t(x), format, type, store.swapBytes, c);
      toRgba(format, c, to, 1.0f);
      transferPixel(to, transfer);
    }
  }
}

void transfer(std::vector<float>& rgba, const PixelModeGroup& t) {
  for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) transferPixel(&rgba[i], t);
}

void unpackBitmap(GLsizei width, GLsizei height, const GLubyte* bitmap, const PixelStore& store,
                  std::vector<std::uint8_t>& bits) {
  bits.assign(std::size_t(width) * std::size_t(height), 0);
  if (bitmap == nullptr) return;
  const std::uint64_t length = std::uint64_t(store.rowLength > 0 ? store.rowLength : width);
  const std::uint64_t alignment = std::uint64_t(store.alignment);
  const std::uint64_t row = ((length + 7) / 8 + alignment - 1) / alignment * alignment;
  for (GLsizei y = 0; y < height; ++y) {
    const GLubyte* at = bitmap + (std::uint64_t(store.skipRows) + std::uint64_t(y)) * row;
    for (GLsizei x = 0; x < width; ++x) {
      const std::uint64_t bit = std::uint64_t(store.skipPixels) + std::uint64_t(x);
      const GLubyte byte = at[bit / 8];
      const int shift = store.lsbFirst ? int(bit % 8) : 7 - int(bit % 8);
      bits[std::size_t(y) * std::size_t(width) + std::size_t(x)] = (byte >> shift) & 1;
    }
  }
}

namespace {

void writeUnsigned(std::uint8_t* at, std::uint32_t v, int bytes, bool swap) {
  std::uint8_t b[4];
  if (bytes == 1) {
    b[0] = std::uint8_t(v);
  } else if (bytes == 2) {
    const auto s = std::uint16_t(v);
    std::memcpy(b, &s, 2);
  } else {
    std::memcpy(b, &v, 4);
  }
  if (swap) std::reverse(b, b + bytes);
  std::memcpy(at, b, std::size_t(bytes));
}

void writeComponent(std::uint8_t* at, GLenum type, float v, bool swap) {
  const auto scaled = [&](double max) {
    return std::uint32_t(std::lround(double(clamp01(v)) * max));
  };
  const auto signedScaled = [&](double max) {
    const float c = v < -1.0f ? -1.0f : v > 1.0f ? 1.0f : v;
    return std::uint32_t(std::int32_t(std::lround((double(c) * 2.0 * max - 1.0) / 2.0)));
  };
  switch (type) {
    case GL_UNSIGNED_BYTE:
      return writeUnsigned(at, scaled(255.0), 1, swap);
    case GL_BYTE:
      return writeUnsigned(at, signedScaled(255.0), 1, swap);
    case GL_UNSIGNED_SHORT:
      return writeUnsigned(at, scaled(65535.0), 2, swap);
    case GL_SHORT:
      return writeUnsigned(at, signedScaled(65535.0), 2, swap);
    case GL_UNSIGNED_INT:
      return writeUnsigned(at, std::uint32_t(std::llround(double(clamp01(v)) * 4294967295.0)), 4,
                           swap);
    case GL_INT:
      return writeUnsigned(at, signedScaled(4294967295.0), 4, swap);
    default: {
      std::uint32_t u;
      std::memcpy(&u, &v, 4);
      return writeUnsigned(at, u, 4, swap);
    }
  }
}

// RGBA as the components of `format`, in its order.
int fromRgba(GLenum format, const float* rgba, float* c) {
  switch (format) {
    case GL_RED:
      c[0] = rgba[0];
      return 1;
    case GL_GREEN:
      c[0] = rgba[1];
      return 1;
    case GL_BLUE:
      c[0] = rgba[2];
      return 1;
    case GL_ALPHA:
      c[0] = rgba[3];
      return 1;
    case GL_LUMINANCE:
      c[0] = clamp01(rgba[0] + rgba[1] + rgba[2]);
      return 1;
    case GL_LUMINANCE_ALPHA:
      c[0] = clamp01(rgba[0] + rgba[1] + rgba[2]);
      c[1] = rgba[3];
      return 2;
    case GL_RGB:
      std::copy(rgba, rgba + 3, c);
      return 3;
    case GL_BGR:
      c[0] = rgba[2], c[1] = rgba[1], c[2] = rgba[0];
      return 3;
    case GL_BGRA:
      c[0] = rgba[2], c[1] = rgba[1], c[2] = rgba[0], c[3] = rgba[3];
      return 4;
    default:
      std::copy(rgba, rgba + 4, c);
      return 4;
  }
}

}  // namespace

void pack(GLsizei width, GLsizei height, GLenum format, GLenum type, const float* rgba,
          const PixelStore& store, const PixelModeGroup& transfer, void* pixels) {
  const Layout l = layoutOf(width, format, type, store);
  auto* base = static_cast<std::uint8_t*>(pixels) + l.start;
  float pixel[4], c[4];
  for (GLsizei y = 0; y < height; ++y) {
    std::uint8_t* row = base + l.row * std::uint64_t(y);
    for (GLsizei x = 0; x < width; ++x) {
      std::copy_n(rgba + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4, 4, pixel);
      transferPixel(pixel, transfer);
      const int n = fromRgba(format, pixel, c);
      std::uint8_t* at = row + l.group * std::uint64_t(x);
      if (const Packed* p = packed(type)) {
        std::uint32_t v = 0;
        int shift = p->reversed ? 0 : p->bytes * 8;
        for (int i = 0; i < p->components; ++i) {
          const int bits = p->bits[i];
          if (!p->reversed) shift -= bits;
          const std::uint32_t max = (1u << bits) - 1;
          v |= std::uint32_t(std::lround(double(clamp01(c[i])) * max)) << shift;
          if (p->reversed) shift += bits;
        }
        writeUnsigned(at, v, p->bytes, store.swapBytes);
        continue;
      }
      for (int i = 0; i < n; ++i)
        writeComponent(at + i * typeBytes(type), type, c[i], store.swapBytes);
    }
  }
}

}  // namespace standin::pixels

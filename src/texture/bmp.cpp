#include "texture/bmp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The fields of the file and information headers that decide how the
// pixels are read.
struct BmpHeader {
  std::uint32_t pixelOffset = 0;   // bytes 10-13
  std::uint32_t width = 0;         // bytes 18-21
  std::uint32_t height = 0;        // bytes 22-25; negative for a top-down file
  std::uint16_t planes = 0;        // bytes 26-27
  std::uint16_t bitsPerPixel = 0;  // bytes 28-29
  std::uint32_t compression = 0;   // bytes 30-33
};

constexpr long headerSize = 54;  // file header and 40-byte information header

// A little-endian field, one byte at a time. A byte past the end of the file
// reads as -1 and enters the sum as such, in wrapping 32-bit arithmetic.
std::uint32_t readField(std::FILE* file, int bytes) {
  std::uint32_t value = 0;
  for (int k = 0; k < bytes; ++k) {
    value += static_cast<std::uint32_t>(std::fgetc(file)) << (8 * k);
  }
  return value;
}

BmpHeader readHeader(std::FILE* file) {
  BmpHeader header;
  std::fseek(file, 10, SEEK_SET);
  header.pixelOffset = readField(file, 4);
  std::fseek(file, 4, SEEK_CUR);
  header.width = readField(file, 4);
  header.height = readField(file, 4);
  header.planes = static_cast<std::uint16_t>(readField(file, 2));
  header.bitsPerPixel = static_cast<std::uint16_t>(readField(file, 2));
  header.compression = readField(file, 4);
  return header;
}

bool isTopDown(const BmpHeader& header) {
  return static_cast<std::int32_t>(header.height) < 0;
}

std::uint32_t rowCount(const BmpHeader& header) {
  return isTopDown(header) ? 0u - header.height : header.height;
}

// True when the picture has 2^32 bytes or more, which no buffer here takes.
bool tooLarge(std::uint32_t width, std::uint32_t rows) {
  const std::uint64_t rowBytes = std::uint64_t{width} * 3;
  return rowBytes != 0 && rows > UINT32_MAX / rowBytes;
}

// Whether the file holds `needed` bytes from `start` on. A file whose size
// cannot be told gets the benefit of the doubt; the read then decides.
bool holds(std::FILE* file, long start, std::size_t needed) {
  if (std::fseek(file, 0, SEEK_END) != 0) return true;
  const long end = std::ftell(file);
  if (end < 0) return true;
  return start <= end && static_cast<std::size_t>(end - start) >= needed;
}

// Blue, green, red becomes red, green, blue, in place.
void swapRedAndBlueScalar(std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i + 2 < count; i += 3) std::swap(data[i], data[i + 2]);
}

#if defined(__x86_64__) || defined(__i386__)
// This is the one loop over every byte of the picture, so on x86 it turns
// sixteen pixels at a time: 48 bytes in three registers, where some pixels
// straddle two registers. masks[out][in] picks, for each byte of output
// register `out`, its source byte if that lies in input register `in`
// (a negative index gives zero).
struct SwapMasks {
  std::int8_t masks[3][3][16];
};

constexpr SwapMasks makeSwapMasks() {
  SwapMasks s{};
  for (int out = 0; out < 3; ++out) {
    for (int in = 0; in < 3; ++in) {
      for (int lane = 0; lane < 16; ++lane) {
        const int j = out * 16 + lane;
        const int source = j - j % 3 + 2 - j % 3;
        s.masks[out][in][lane] = static_cast<std::int8_t>(source / 16 == in ? source % 16 : -1);
      }
    }
  }
  return s;
}

__attribute__((target("ssse3"))) void swapRedAndBlueSsse3(std::uint8_t* data, std::size_t count) {
  alignas(16) static constexpr SwapMasks s = makeSwapMasks();
  __m128i m[3][3];
  for (int out = 0; out < 3; ++out) {
    for (int in = 0; in < 3; ++in)
      m[out][in] = _mm_load_si128(reinterpret_cast<const __m128i*>(s.masks[out][in]));
  }
  std::size_t i = 0;
  for (; i + 48 <= count; i += 48) {
    auto* at = reinterpret_cast<__m128i*>(data + i);
    const __m128i a = _mm_loadu_si128(at), b = _mm_loadu_si128(at + 1), c = _mm_loadu_si128(at + 2);
    const __m128i out0 = _mm_or_si128(_mm_shuffle_epi8(a, m[0][0]), _mm_shuffle_epi8(b, m[0][1]));
    const __m128i out1 =
        _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, m[1][0]), _mm_shuffle_epi8(b, m[1][1])),
                     _mm_shuffle_epi8(c, m[1][2]));
    const __m128i out2 = _mm_or_si128(_mm_shuffle_epi8(b, m[2][1]), _mm_shuffle_epi8(c, m[2][2]));
    _mm_storeu_si128(at, out0);
    _mm_storeu_si128(at + 1, out1);
    _mm_storeu_si128(at + 2, out2);
  }
  swapRedAndBlueScalar(data + i, count - i);
}

void swapRedAndBlue(std::uint8_t* data, std::size_t count) {
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) {
    swapRedAndBlueSsse3(data, count);
  } else {
    swapRedAndBlueScalar(data, count);
  }
}
#else
void swapRedAndBlue(std::uint8_t* data, std::size_t count) {
  swapRedAndBlueScalar(data, count);
}
#endif

// How the rows lie in the file: each is filled up to a multiple of 4 bytes,
// except that the last one may lack its filling.
struct PixelRows {
  std::size_t rowBytes;  // the pixels of one row
  std::size_t stride;    // one row with its filling
  std::uint32_t rows;
  std::size_t fileBytes() const { return stride * (rows - 1) + rowBytes; }
};

PixelRows pixelRows(std::uint32_t width, std::uint32_t rows) {
  const std::size_t rowBytes = std::size_t{width} * 3;
  return {rowBytes, (rowBytes + 3) / 4 * 4, rows};
}

// Reads the pixel array from the current position into `data`, which has
// room for fileBytes(), and leaves there the rows packed without their
// filling, in red, green, blue order. Runs of rows are read a cache's worth
// at a time and packed and turned while they are still in the cache.
bool readPixels(std::FILE* file, std::uint8_t* data, const PixelRows& layout) {
  constexpr std::size_t chunkBytes = 256 * 1024;
  const std::uint32_t rowsPerChunk =
      static_cast<std::uint32_t>(std::max<std::size_t>(1, chunkBytes / layout.stride));
  std::uint8_t* packed = data;
  for (std::uint32_t row = 0; row < layout.rows; row += rowsPerChunk) {
    const std::uint32_t n = std::min(rowsPerChunk, layout.rows - row);
    const bool last = row + n == layout.rows;
    const std::size_t bytes = last ? layout.stride * (n - 1) + layout.rowBytes : layout.stride * n;
    if (std::fread(packed, bytes, 1, file) != 1) return false;
    for (std::uint32_t k = 1; k < n && layout.stride != layout.rowBytes; ++k) {
      std::memmove(packed + k * layout.rowBytes, packed + k * layout.stride, layout.rowBytes);
    }
    swapRedAndBlue(packed, n * layout.rowBytes);
    packed += n * layout.rowBytes;
  }
  return true;
}

// A top-down file's rows turned into the bottom-up order GL takes.
void flipRows(std::uint8_t* data, std::uint32_t width, std::uint32_t rows) {
  const std::size_t rowBytes = std::size_t{width} * 3;
  for (std::uint32_t low = 0, high = rows - 1; low < high; ++low, --high) {
    std::swap_ranges(data + low * rowBytes, data + (low + 1) * rowBytes, data + high * rowBytes);
  }
}

}  // namespace

int loadBmp(const char* filename, Image& image) {
  const File file(std::fopen(filename, "rb"));
  if (!file) {
    std::printf("File Not Found : %s\n", filename);
    return 0;
  }
  const BmpHeader header = readHeader(file.get());
  const std::uint32_t rows = rowCount(header);
  image.sizeX = header.width;
  image.sizeY = rows;
  if (header.planes != 1) {
    std::printf("Planes from %s is not 1: %u\n", filename, unsigned{header.planes});
    return 0;
  }
  if (header.bitsPerPixel != 24) {
    std::printf("Bpp from %s is not 24: %u\n", filename, unsigned{header.bitsPerPixel});
    return 0;
  }
  if (header.compression != 0) {
    std::printf("Compression from %s is not 0: %u\n", filename, header.compression);
    return 0;
  }
  if (tooLarge(header.width, rows)) {
    std::printf("Size from %s is too large: %u x %u\n", filename, header.width, header.height);
    return 0;
  }
  // Files that cannot hold the picture are refused before anything is
  // allocated.
  const PixelRows layout = pixelRows(header.width, rows);
  const long start = std::max<long>(headerSize, header.pixelOffset);
  if (rows == 0 || layout.rowBytes == 0 || !holds(file.get(), start, layout.fileBytes())) {
    std::printf("Error reading image data from %s.\n", filename);
    return 0;
  }
  // One block, the size of the file's pixel array: rows are read into it
  // with their filling and packed as they come, so it is larger than the
  // picture by the filling of all rows but the last (none for widths that
  // are a multiple of 4).
  image.data.reset(new (std::nothrow) std::uint8_t[layout.fileBytes()]);
  if (!image.data) {
    std::printf("Error allocating memory for color-corrected image data");
    return 0;
  }
  if (std::fseek(file.get(), start, SEEK_SET) != 0 ||
      !readPixels(file.get(), image.data.get(), layout)) {
    std::printf("Error reading image data from %s.\n", filename);
    return 0;
  }
  if (isTopDown(header)) flipRows(image.data.get(), header.width, rows);
  return 1;
}

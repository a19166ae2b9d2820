#include "texture/bmp.h"

#include <algorithm>
#include <cstdio>
#include <new>

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

// Reads the rows from the current position, dropping each row's padding to a
// multiple of 4 bytes. Rows without padding come in one read.
bool readRows(std::FILE* file, std::uint8_t* data, std::uint32_t width, std::uint32_t rows) {
  const std::size_t rowBytes = std::size_t{width} * 3;
  const long padding = static_cast<long>((4 - rowBytes % 4) % 4);
  if (padding == 0) return std::fread(data, rowBytes * rows, 1, file) == 1;
  for (std::uint32_t row = 0; row < rows; ++row) {
    if (std::fread(data + row * rowBytes, rowBytes, 1, file) != 1) return false;
    if (row + 1 < rows && std::fseek(file, padding, SEEK_CUR) != 0) return false;
  }
  return true;
}

// Blue, green, red becomes red, green, blue, in place.
void swapRedAndBlue(std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i + 2 < count; i += 3) std::swap(data[i], data[i + 2]);
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
  // allocated; the last row may lack its padding.
  const std::size_t count = std::size_t{header.width} * rows * 3;
  const std::size_t stride = (std::size_t{header.width} * 3 + 3) / 4 * 4;
  const long start = std::max<long>(headerSize, header.pixelOffset);
  if (count == 0 ||
      !holds(file.get(), start, stride * (rows - 1) + std::size_t{header.width} * 3)) {
    std::printf("Error reading image data from %s.\n", filename);
    return 0;
  }
  image.data.reset(new (std::nothrow) std::uint8_t[count]);
  if (!image.data) {
    std::printf("Error allocating memory for color-corrected image data");
    return 0;
  }
  if (std::fseek(file.get(), start, SEEK_SET) != 0 ||
      !readRows(file.get(), image.data.get(), header.width, rows)) {
    std::printf("Error reading image data from %s.\n", filename);
    return 0;
  }
  swapRedAndBlue(image.data.get(), count);
  if (isTopDown(header)) flipRows(image.data.get(), header.width, rows);
  return 1;
}

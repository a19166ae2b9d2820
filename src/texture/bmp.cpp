#include "texture/bmp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "texture/open_file.h"

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

constexpr std::uint64_t headerSize = 54;  // file header and 40-byte information header
// The largest pixel array read, the same on every platform: one below 4 GiB,
// which a 32-bit size_t still counts.
constexpr std::uint64_t largestPixelArray = UINT32_MAX;

// A little-endian field, one byte at a time. A byte past the end of the file
// reads as -1 and enters the sum as such, in wrapping 32-bit arithmetic:
// that is how a file cut short inside its header has always been reported
// (an empty file gives planes 65279), and the README lists those values.
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

// How the rows lie in the file: each is filled up to a multiple of 4 bytes,
// except that the last one may lack its filling. Counted in 64 bits, since
// the filling alone can take a 32-bit count past its end.
struct PixelRows {
  std::uint64_t rowBytes;  // the pixels of one row
  std::uint64_t stride;    // one row with its filling
  std::uint32_t rows;
  std::uint64_t fileBytes() const { return rows == 0 ? 0 : stride * (rows - 1) + rowBytes; }
};

PixelRows pixelRows(std::uint32_t width, std::uint32_t rows) {
  const std::uint64_t rowBytes = std::uint64_t{width} * 3;
  return {rowBytes, (rowBytes + 3) / 4 * 4, rows};
}

// True when the picture, or the pixel array that holds it, has 2^32 bytes
// or more, which no buffer here takes. The picture is tested first, so the
// array's count cannot overflow.
bool tooLarge(std::uint32_t width, std::uint32_t rows) {
  const PixelRows layout = pixelRows(width, rows);
  if (layout.rowBytes != 0 && rows > largestPixelArray / layout.rowBytes) return true;
  return layout.fileBytes() > largestPixelArray;
}

// Whether the file holds `needed` bytes from `start` on. A file whose size
// cannot be told gets the benefit of the doubt; the read then decides.
bool holds(std::FILE* file, std::uint64_t start, std::uint64_t needed) {
  const std::int64_t end = seekFile(file, 0, SEEK_END);
  if (end < 0) return true;
  return start <= static_cast<std::uint64_t>(end) &&
         static_cast<std::uint64_t>(end) - start >= needed;
}

// Moves every row down over the filling of the rows before it, so the
// rows end up packed at the start of the block.
void dropRowFilling(std::uint8_t* data, const PixelRows& layout) {
  if (layout.stride == layout.rowBytes) return;
  const auto rowBytes = static_cast<std::size_t>(layout.rowBytes);
  const auto stride = static_cast<std::size_t>(layout.stride);
  for (std::size_t row = 1; row < layout.rows; ++row) {
    std::memmove(data + row * rowBytes, data + row * stride, rowBytes);
  }
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
  const File file(openForReading(filename));
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
  const std::uint64_t start = std::max<std::uint64_t>(headerSize, header.pixelOffset);
  if (rows == 0 || layout.rowBytes == 0 || !holds(file.get(), start, layout.fileBytes())) {
    std::printf("Error reading image data from %s.\n", filename);
    return 0;
  }
  // One block, the size of the file's pixel array, read in one piece and
  // packed in place: it is larger than the picture by the filling of all
  // rows but the last (none for widths that are a multiple of 4).
  // Below 4 GiB, so the count fits a size_t everywhere.
  const auto blockBytes = static_cast<std::size_t>(layout.fileBytes());
  image.data.reset(new (std::nothrow) std::uint8_t[blockBytes]);
  if (!image.data) {
    // No line end: the message stands as the program has always printed it.
    std::printf("Error allocating memory for color-corrected image data");
    return 0;
  }
  if (seekFile(file.get(), static_cast<std::int64_t>(start), SEEK_SET) < 0 ||
      std::fread(image.data.get(), blockBytes, 1, file.get()) != 1) {
    std::printf("Error reading image data from %s.\n", filename);
    return 0;
  }
  dropRowFilling(image.data.get(), layout);
  swapRedAndBlue(image.data.get(), static_cast<std::size_t>(layout.rowBytes) * rows);
  if (isTopDown(header)) flipRows(image.data.get(), header.width, rows);
  return 1;
}

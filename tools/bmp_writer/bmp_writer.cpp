#include "bmp_writer/bmp_writer.h"

#include <fstream>

void putField(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int k = 0; k < size; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

std::vector<std::uint8_t> encodeBmp(int width, int rows, const PixelColour& pixel,
                                    const BmpLayout& layout) {
  const std::uint32_t offset = 14 + layout.infoHeaderSize + layout.gap;
  const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> bytes(offset + stride * rows, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  putField(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
  putField(bytes, 10, offset, 4);
  putField(bytes, 14, layout.infoHeaderSize, 4);
  putField(bytes, 18, static_cast<std::uint32_t>(width), 4);
  putField(bytes, 22, static_cast<std::uint32_t>(layout.topDown ? -rows : rows), 4);
  putField(bytes, 26, layout.planes, 2);
  putField(bytes, 28, layout.bitsPerPixel, 2);
  putField(bytes, 30, layout.compression, 4);
  putField(bytes, 34, static_cast<std::uint32_t>(stride * rows), 4);
  putField(bytes, 38, 2835, 4);  // 72 dots per inch, across and down
  putField(bytes, 42, 2835, 4);
  for (int y = 0; y < rows; ++y) {
    std::uint8_t* row = &bytes[offset + (layout.topDown ? rows - 1 - y : y) * stride];
    for (int x = 0; x < width; ++x) {
      const auto colour = pixel(x, y);
      row[3 * x] = colour[2];
      row[3 * x + 1] = colour[1];
      row[3 * x + 2] = colour[0];
    }
  }
  return bytes;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

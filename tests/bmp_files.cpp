#include "bmp_files.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

std::vector<std::uint8_t> Picture::pixel(int x, int y) const {
  return {static_cast<std::uint8_t>(x * 37 + y * 11 + 1),
          static_cast<std::uint8_t>(x * 5 + y * 71 + 2),
          static_cast<std::uint8_t>(x * 131 + y * 3 + 3)};
}

std::vector<std::uint8_t> Picture::rgbBottomUp() const {
  std::vector<std::uint8_t> out;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto p = pixel(x, y);
      out.insert(out.end(), p.begin(), p.end());
    }
  }
  return out;
}

void putField(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int k = 0; k < size; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

std::vector<std::uint8_t> encodeBmp(const Picture& picture, const BmpLayout& layout) {
  const std::uint32_t offset = 14 + layout.infoHeaderSize + layout.gap;
  const std::size_t stride = (picture.width * 3 + 3) / 4 * 4;
  std::vector<std::uint8_t> bytes(offset + stride * picture.rows, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  putField(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
  putField(bytes, 10, offset, 4);
  putField(bytes, 14, layout.infoHeaderSize, 4);
  putField(bytes, 18, static_cast<std::uint32_t>(picture.width), 4);
  putField(bytes, 22, static_cast<std::uint32_t>(layout.topDown ? -picture.rows : picture.rows), 4);
  putField(bytes, 26, layout.planes, 2);
  putField(bytes, 28, layout.bitsPerPixel, 2);
  putField(bytes, 30, layout.compression, 4);
  for (int y = 0; y < picture.rows; ++y) {
    const int fileRow = layout.topDown ? picture.rows - 1 - y : y;
    for (int x = 0; x < picture.width; ++x) {
      const auto p = picture.pixel(x, y);
      const std::size_t at = offset + fileRow * stride + x * 3;
      bytes[at] = p[2];
      bytes[at + 1] = p[1];
      bytes[at + 2] = p[0];
    }
  }
  return bytes;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

TempDir::TempDir() {
  char templ[] = "/tmp/marblechess-bmp-XXXXXX";
  if (mkdtemp(templ) != nullptr) path_ = templ;
}

TempDir::~TempDir() {
  if (!path_.empty()) std::filesystem::remove_all(path_);
}

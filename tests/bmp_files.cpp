#include "bmp_files.h"

#include <stdlib.h>

#include <filesystem>

std::array<std::uint8_t, 3> Picture::pixel(int x, int y) const {
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

std::vector<std::uint8_t> encodeBmp(const Picture& picture, const BmpLayout& layout) {
  return encodeBmp(
      picture.width, picture.rows, [&](int x, int y) { return picture.pixel(x, y); }, layout);
}

TempDir::TempDir() {
  char templ[] = "/tmp/marblechess-bmp-XXXXXX";
  if (mkdtemp(templ) != nullptr) path_ = templ;
}

TempDir::~TempDir() {
  if (!path_.empty()) std::filesystem::remove_all(path_);
}

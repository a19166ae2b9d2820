#include "bmp_files.h"

std::array<std::uint8_t, 3> Picture::pixel(int x, int y) const {
  return {static_cast<std::uint8_t>(x * 37 + y * 11 + 1),
          static_cast<std::uint8_t>(x * 5 + y * 71 + 2),
          static_cast<std::uint8_t>(x * 131 + y * 3 + 3)};
}

std::vector<std::uint8_t> encodeBmp(const Picture& picture, const BmpLayout& layout) {
  return encodeBmp(
      picture.width, picture.rows, [&](int x, int y) { return picture.pixel(x, y); }, layout);
}

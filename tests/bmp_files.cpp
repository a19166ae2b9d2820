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

std::vector<std::uint8_t> controlBytesBmp() {
  // Blue, green, red of the first pixel are CR, LF and Ctrl-Z; the rows'
  // filling adds NULs.
  constexpr std::uint8_t blue[] = {0x0D, 0x1A, 0x00, 0x30, 0x0A, 0x0D};
  constexpr std::uint8_t green[] = {0x0A, 0x0D, 0x1A, 0x00, 0x48, 0x0A};
  constexpr std::uint8_t red[] = {0x1A, 0x00, 0x0D, 0x0A, 0x60, 0x90};
  return encodeBmp(6, 4, [&](int x, int y) {
    return std::array<std::uint8_t, 3>{red[(2 * x + y) % 6], green[(x + 2 * y) % 6],
                                       blue[(x + y) % 6]};
  });
}

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bmp_writer/bmp_writer.h"
#include "temp_dir/temp_dir.h"

// A small picture with a different colour at every pixel, and the BMP files
// the tests make of it.
struct Picture {
  std::int32_t width;
  std::int32_t rows;
  // Red, green, blue of the pixel in column x, row y counted from the bottom.
  std::array<std::uint8_t, 3> pixel(int x, int y) const;
};

// The picture as a BMP file.
std::vector<std::uint8_t> encodeBmp(const Picture& picture, const BmpLayout& layout = {});

// A dark 6 by 4 picture whose pixel bytes hold carriage returns, line feeds,
// Ctrl-Z and NUL, as a user's own texture may: a read in text mode on
// Windows would cut it short or shift it.
std::vector<std::uint8_t> controlBytesBmp();

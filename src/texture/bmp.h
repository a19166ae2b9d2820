#pragma once

#include <cstdint>
#include <memory>

// A decoded picture: three bytes a pixel in the order red, green, blue, the
// bottom row first, rows packed without padding.
struct Image {
  std::uint32_t sizeX = 0;  // width in pixels
  std::uint32_t sizeY = 0;  // number of rows
  std::unique_ptr<std::uint8_t[]> data;
};

// Reads an uncompressed 24-bit BMP file into `image`. Returns 1 when the
// record holds the whole picture; otherwise prints one message on standard
// output and returns 0. Needs no GL context.
int loadBmp(const char* filename, Image& image);

#pragma once

// Writes uncompressed 24-bit BMP files: the bundled marble, and the pictures
// the tests and benchmarks read back.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// How the file is laid out; the defaults make the plain bottom-up file with
// the 40-byte information header that every reader takes.
struct BmpLayout {
  std::uint32_t infoHeaderSize = 40;
  std::uint32_t gap = 0;  // bytes between the headers and the pixels
  bool topDown = false;
  std::uint16_t planes = 1;
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
};

// Red, green and blue of the pixel in column x, row y counted from the bottom.
using PixelColour = std::function<std::array<std::uint8_t, 3>(int x, int y)>;

// The picture as a BMP file: blue-green-red, rows padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp(int width, int rows, const PixelColour& pixel,
                                    const BmpLayout& layout = {});

// Sets a little-endian field in place.
void putField(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size);

// Writes the bytes to `path`; false if that failed.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A small picture with a different colour at every pixel, and the BMP files
// the tests make of it.
struct Picture {
  std::int32_t width;
  std::int32_t rows;
  // Red, green, blue of the pixel in column x, row y counted from the bottom.
  std::vector<std::uint8_t> pixel(int x, int y) const;
  // What the reader must deliver: rows packed, the bottom row first.
  std::vector<std::uint8_t> rgbBottomUp() const;
};

struct BmpLayout {
  std::uint32_t infoHeaderSize = 40;
  std::uint32_t gap = 0;  // bytes between the headers and the pixels
  bool topDown = false;
  std::uint16_t planes = 1;
  std::uint16_t bitsPerPixel = 24;
  std::uint32_t compression = 0;
};

// The picture as a BMP file: rows padded to 4 bytes, blue-green-red.
std::vector<std::uint8_t> encodeBmp(const Picture& picture, const BmpLayout& layout = {});

// Writes the bytes to `path`.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Sets a little-endian field in place.
void putField(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size);

// A fresh temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

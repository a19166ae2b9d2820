// Writes the fuzzer's starting corpus: the kinds of file the reader's tests use.

#include <string>

#include "../bmp_files.h"

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  BmpLayout topDown, large, palette, compressed;
  topDown.topDown = true;
  large.infoHeaderSize = 124;
  palette.bitsPerPixel = 8;
  compressed.compression = 1;
  writeFile(dir + "/plain-4x2.bmp", encodeBmp(Picture{4, 2}));
  writeFile(dir + "/padded-5x3.bmp", encodeBmp(Picture{5, 3}));
  writeFile(dir + "/padded-7x2.bmp", encodeBmp(Picture{7, 2}));
  writeFile(dir + "/top-down-6x3.bmp", encodeBmp(Picture{6, 3}, topDown));
  writeFile(dir + "/header-124.bmp", encodeBmp(Picture{3, 3}, large));
  writeFile(dir + "/palette.bmp", encodeBmp(Picture{4, 1}, palette));
  writeFile(dir + "/compressed.bmp", encodeBmp(Picture{4, 1}, compressed));
  std::vector<std::uint8_t> truncated = encodeBmp(Picture{4, 4});
  truncated.resize(60);
  writeFile(dir + "/truncated.bmp", truncated);
  return 0;
}

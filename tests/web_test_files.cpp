// Writes the texture files the browser scenarios choose on the page, made
// as the desktop scenarios make theirs: web_test_files FOLDER.

#include <cstdio>
#include <string>

#include "bmp_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: web_test_files FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  BmpLayout palette, topDown;
  palette.bitsPerPixel = 8;
  topDown.topDown = true;
  std::vector<std::uint8_t> fourGiB = encodeBmp(Picture{4, 2});
  putField(fourGiB, 18, 21846, 4);
  putField(fourGiB, 22, 65536, 4);
  // 3 GiB of pixels whose rows' filling takes the pixel array past 4 GiB.
  std::vector<std::uint8_t> filledRows = encodeBmp(Picture{4, 2});
  filledRows.resize(57);
  putField(filledRows, 18, 1, 4);
  putField(filledRows, 22, 0x40000001u, 4);
  std::vector<std::uint8_t> cut = encodeBmp(Picture{4, 2});
  cut.resize(20);
  const std::string words = "This is a letter, not a picture.\n";
  const bool written = writeFile(folder + "/palette.bmp", encodeBmp(Picture{4, 1}, palette)) &&
                       writeFile(folder + "/top-down-5x3.bmp", encodeBmp(Picture{5, 3}, topDown)) &&
                       writeFile(folder + "/four-gib.bmp", fourGiB) &&
                       writeFile(folder + "/filled-rows-past-4gib.bmp", filledRows) &&
                       writeFile(folder + "/cut-in-header.bmp", cut) &&
                       writeFile(folder + "/control-bytes.bmp", controlBytesBmp()) &&
                       writeFile(folder + "/large-2048.bmp", encodeBmp(Picture{2048, 2048})) &&
                       writeFile(folder + "/letter.txt", {words.begin(), words.end()});
  return written ? 0 : 1;
}

// Reads each file named on the command line as the viewer reads its texture
// and says what came of it: the reader's own message, or the picture's size
// and a checksum of its bytes. It needs nothing but the reader, so the same
// files give the same words wherever it is compiled: natively, for wasm32 as
// the page runs it, and for Windows.

#include <cinttypes>
#include <cstdio>

#include "texture/bmp.h"

namespace {

// FNV-1a over the picture, counted in 64 bits like the reader's sizes.
std::uint32_t checksum(const Image& image) {
  const std::uint64_t count = std::uint64_t{image.sizeX} * image.sizeY * 3;
  std::uint32_t hash = 2166136261u;
  for (std::uint64_t i = 0; i < count; ++i) hash = (hash ^ image.data[i]) * 16777619u;
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::printf("== %s\n", argv[i]);
    Image image;
    if (loadBmp(argv[i], image) == 1) {
      std::printf("loaded %" PRIu32 " x %" PRIu32 ", bytes %08" PRIx32 "\n", image.sizeX,
                  image.sizeY, checksum(image));
    } else {
      std::printf("refused\n");
    }
  }
  return 0;
}

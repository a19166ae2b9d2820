// libFuzzer target: any bytes as the texture file. The reader must refuse or
// deliver a complete buffer, and never touch memory it does not own.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "texture/bmp.h"

namespace {

std::string path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The reader's messages would drown the fuzzer's own output.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  const char* dir = std::getenv("TMPDIR");
  path =
      std::string(dir != nullptr ? dir : "/tmp") + "/bmp-fuzz-" + std::to_string(getpid()) + ".bmp";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(bytes, size, 1, file) != 1) std::abort();
  std::fclose(file);

  Image image;
  if (loadBmp(path.c_str(), image) == 1) {
    const std::uint64_t count = std::uint64_t{image.sizeX} * image.sizeY * 3;
    if (count == 0 || count >= (std::uint64_t{1} << 32) || !image.data) std::abort();
    // Every byte of the picture must be there: AddressSanitizer sees a
    // buffer shorter than the sizes claim.
    unsigned sum = 0;
    for (std::uint64_t i = 0; i < count; ++i) sum += image.data[i];
    if (sum == 0xFFFFFFFFu) std::puts("");
  }
  return 0;
}

#include "bench_files.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bmp_writer/bmp_writer.h"
#include "temp_dir/temp_dir.h"

void writeTestBmp(const std::string& path, int width, int height) {
  const auto pattern = [](int x, int y) {
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(x * 7),
                                       static_cast<std::uint8_t>(y * 13),
                                       static_cast<std::uint8_t>(x + y)};
  };
  if (!writeFile(path, encodeBmp(width, height, pattern))) std::abort();
}

const std::string& benchDir() {
  // Removed when the program ends, with everything the benchmarks wrote.
  static const TempDir folder;
  return folder.path();
}

#include "bench_files.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bmp_writer/bmp_writer.h"

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
  struct Folder {
    std::string path;
    ~Folder() { std::filesystem::remove_all(path); }
  };
  static const Folder folder{[] {
    const auto path =
        std::filesystem::temp_directory_path() / ("marblechess-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }()};
  return folder.path;
}

#include "bench_files.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

void writeTestBmp(const std::string& path, int width, int height) {
  const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
  std::vector<unsigned char> bytes(54 + stride * height);
  auto put = [&](std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<unsigned char>(v >> (8 * k));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<std::uint32_t>(bytes.size()));
  put(10, 54);
  put(14, 40);
  put(18, static_cast<std::uint32_t>(width));
  put(22, static_cast<std::uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (std::size_t i = 54; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 7);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr || std::fwrite(bytes.data(), bytes.size(), 1, out) != 1) std::abort();
  std::fclose(out);
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

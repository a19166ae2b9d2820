// How fast the reader turns a file into a picture, against the floor (the
// same bytes read into memory, nothing else) and a common peer decoder.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include "texture/bmp.h"

namespace {

// Writes a width by height test file once per run; removed at exit.
const std::string& testFile(int width, int height) {
  static std::map<std::pair<int, int>, std::string> files;
  static const std::string dir = [] {
    const auto path = std::filesystem::temp_directory_path() /
                      ("marblechess-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] { std::filesystem::remove_all(dir); });
    return path.string();
  }();
  std::string& path = files[{width, height}];
  if (!path.empty()) return path;
  path = dir + "/" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
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
  std::fwrite(bytes.data(), bytes.size(), 1, out);
  std::fclose(out);
  return path;
}

void setBytes(benchmark::State& state, int width, int height) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * width * height * 3);
}

// The floor: open the file, allocate one block, read the pixel array into it.
void BM_PlainRead(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const std::string& path = testFile(width, height);
  const std::size_t count = (std::size_t(width) * 3 + 3) / 4 * 4 * height;
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 54, SEEK_SET);
    std::unique_ptr<unsigned char[]> data(new unsigned char[count]);
    if (std::fread(data.get(), count, 1, file) != 1) state.SkipWithError("short read");
    benchmark::DoNotOptimize(data.get());
    std::fclose(file);
  }
  setBytes(state, width, height);
}

void BM_LoadBmp(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const std::string& path = testFile(width, height);
  for (auto _ : state) {
    Image image;
    if (loadBmp(path.c_str(), image) != 1) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(image.data.get());
  }
  setBytes(state, width, height);
}

void BM_StbImage(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const std::string& path = testFile(width, height);
  for (auto _ : state) {
    int x, y, channels;
    unsigned char* data = stbi_load(path.c_str(), &x, &y, &channels, 3);
    if (data == nullptr) state.SkipWithError("stb failed");
    benchmark::DoNotOptimize(data);
    stbi_image_free(data);
  }
  setBytes(state, width, height);
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({1024, 1024})->Args({4096, 4096})->Args({4095, 4096})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_PlainRead)->Apply(sizes);
BENCHMARK(BM_LoadBmp)->Apply(sizes);
BENCHMARK(BM_StbImage)->Apply(sizes);

BENCHMARK_MAIN();

// How fast the reader turns a file into a picture, against the floor (the
// same bytes read into memory, nothing else) and a common peer decoder.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include "bench_files.h"
#include "texture/bmp.h"

namespace {

// A width by height test file, written once per run.
const std::string& testFile(int width, int height) {
  static std::map<std::pair<int, int>, std::string> files;
  std::string& path = files[{width, height}];
  if (path.empty()) {
    path = benchDir() + "/" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
    writeTestBmp(path, width, height);
  }
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

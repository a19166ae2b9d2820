// Frames of the whole scene in a real GL context (Mesa's software renderer
// under Xvfb), the time from start to the first frame, and the memory the
// running viewer takes with textures of different sizes.

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/display.h"
#include "app/gl.h"
#include "app/window.h"
#include "bench_files.h"
#include "xdriver/xdriver.h"

namespace {

// The viewer's own window, with the bundled texture, drawn into directly.
void ensureWindow() {
  static bool ready = false;
  if (ready) return;
  int argc = 1;
  char name[] = "frame_bench";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  const auto home = std::filesystem::current_path();
  std::filesystem::current_path(DATA_DIR);
  initWindow();
  // Not to be taken for a viewer started by the other benchmarks, nor seen
  // through their windows before they draw.
  glutSetWindowTitle("frame bench");
  glutPositionWindow(650, 0);
  std::filesystem::current_path(home);
  for (int i = 0; i < 100; ++i) glutMainLoopEvent();
  ready = true;
}

void BM_Frame(benchmark::State& state) {
  ensureWindow();
  for (auto _ : state) {
    display();
    glFinish();
  }
}

// Kilobytes of a /proc/PID/status field such as VmHWM, the peak resident size.
long statusKb(pid_t pid, const std::string& field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

// Starts the viewer in a folder whose marmor.bmp is size by size pixels
// (none for 0) and times it to its first frame; reports its peak memory.
void BM_StartToFirstFrame(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string dir = benchDir() + "/texture-" + std::to_string(size);
  std::filesystem::create_directories(dir);
  if (size > 0) writeTestBmp(dir + "/marmor.bmp", size, size);
  long peakKb = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    xdriver::Viewer viewer({VIEWER_PROGRAM}, dir);
    bool ok = viewer.findWindow(60) != 0;
    if (ok) viewer.firstFrame(60, &ok);
    const auto end = std::chrono::steady_clock::now();
    if (!ok) state.SkipWithError("no first frame");
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    peakKb = statusKb(viewer.pid(), "VmHWM");
  }
  state.counters["peak_MiB"] = peakKb / 1024.0;
  state.counters["picture_MiB"] = size * double(size) * 3 / (1 << 20);
}

}  // namespace

BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_StartToFirstFrame)
    ->Arg(0)
    ->Arg(512)
    ->Arg(4096)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

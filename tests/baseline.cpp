#include "baseline.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "frame_compare.h"

namespace {

using xdriver::Frame;

// Bounds for waiting; frames of the software renderer can be slow on a
// loaded machine, and a frame that matches ends the wait at once.
constexpr double frameSeconds = 20;
// Without a baseline to wait for, a frame counts as final once it has not
// changed for this long after the input was sent.
constexpr double settleSeconds = 1;
constexpr Tolerance tolerance{channelTolerance, allowedPixels};

// Kept under the test's own name, since scenarios that run side by side
// share baselines.
std::string keep(const Frame& frame, const std::string& name) {
  std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(test.begin(), test.end(), '/', '-');
  std::filesystem::create_directories(FRAMES_DIR);
  const std::string path = std::string(FRAMES_DIR) + "/" + test + "-" + name + ".png";
  return xdriver::savePng(frame, path) ? path : "(could not write " + path + ")";
}

Frame settledFrame(xdriver::Viewer& viewer) {
  using Clock = std::chrono::steady_clock;
  Frame last;
  Clock::time_point since = Clock::now();
  bool ok = false;
  return viewer.waitFor(
      [&](const Frame& f) {
        if (f != last) {
          last = f;
          since = Clock::now();
        }
        return f.width > 0 && Clock::now() - since >= std::chrono::duration<double>(settleSeconds);
      },
      frameSeconds, &ok);
}

}  // namespace

::testing::AssertionResult showsBaseline(xdriver::Viewer& viewer, const std::string& name) {
  const std::string path = std::string(BASELINE_DIR) + "/" + name + ".png";
  Frame expected;
  const bool known = loadPng(path, &expected);
  if (std::getenv("MARBLECHESS_REFRESH_BASELINES") != nullptr) {
    const Frame got = settledFrame(viewer);
    if (known && matches(got, expected, tolerance)) return ::testing::AssertionSuccess();
    if (!xdriver::savePng(got, path))
      return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess() << "rewrote " << path;
  }
  if (!known) {
    return ::testing::AssertionFailure()
           << "no baseline " << path << "; look at the candidate "
           << keep(settledFrame(viewer), name) << " and copy it there";
  }
  bool ok = false;
  const Frame got = viewer.waitFor([&](const Frame& f) { return matches(f, expected, tolerance); },
                                   frameSeconds, &ok);
  if (ok) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "the window never showed " << path << ": ";
  if (got.width != expected.width || got.height != expected.height) {
    failure << "it is " << got.width << " by " << got.height;
  } else {
    failure << differingPixels(got, expected, channelTolerance) << " pixels differ by more than "
            << channelTolerance << " (" << allowedPixelsOf(expected, tolerance)
            << " may); difference "
            << keep(differenceImage(got, expected, channelTolerance), name + "-diff");
  }
  return failure << "; frame " << keep(got, name + "-got");
}

namespace {

std::string withWindow(std::string input, xdriver::WindowId window) {
  const auto at = input.find("{window}");
  if (at != std::string::npos) input.replace(at, 8, std::to_string(window));
  return input;
}

// Whether the output comes to hold `lines` within the time a frame has.
bool saysInTime(xdriver::Viewer& viewer, const std::string& lines) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::duration<double>(frameSeconds);
  while (viewer.output().find(lines) == std::string::npos) {
    if (Clock::now() > end || !viewer.running())
      return viewer.output().find(lines) != std::string::npos;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace

::testing::AssertionResult showsEachStep(xdriver::Viewer& viewer, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    if (!step.input.empty() && !viewer.xdotool(withWindow(step.input, viewer.window()))) {
      return ::testing::AssertionFailure() << "xdotool failed on '" << step.input << "'";
    }
    if (!step.says.empty() && !saysInTime(viewer, step.says)) {
      return ::testing::AssertionFailure()
             << "never said \"" << step.says << "\" after '" << step.input << "'; it says \""
             << viewer.output() << "\"";
    }
    if (step.baseline.empty()) continue;
    auto shown = showsBaseline(viewer, step.baseline);
    if (!shown) return shown << " after '" << step.input << "'";
  }
  return ::testing::AssertionSuccess();
}

#include "app_session.h"

#include <stdlib.h>

#include <filesystem>

const std::string AppTest::usage =
    "Use x/y/z/X/Y/Z-keys to rotate.\n"
    "Move mouse while pressing button to change light position.\n";

namespace {

// Bounds for waiting; frames of the software renderer can be slow on a
// loaded machine.
constexpr double startSeconds = 30;
constexpr double frameSeconds = 30;

}  // namespace

void AppTest::TearDown() {
  viewer.reset();
  if (!dir_.empty()) std::filesystem::remove_all(dir_);
}

std::string AppTest::emptyDir() {
  char path[] = "/tmp/marblechess-test-XXXXXX";
  if (mkdtemp(path) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
  dir_ = path;
  return dir_;
}

void AppTest::startIn(const std::string& dir) {
  startWith({VIEWER_PROGRAM}, dir);
}

void AppTest::startWith(const std::vector<std::string>& command, const std::string& dir) {
  viewer.reset();  // its window must be gone before the next is looked for
  viewer = std::make_unique<xdriver::Viewer>(command, dir);
  ASSERT_TRUE(viewer->connected()) << "no X display";
  ASSERT_NE(viewer->findWindow("Quilan Vastre, 4180263", startSeconds), 0u)
      << "no window; output: " << viewer->output();
  bool ok = false;
  // Before its first frame the window is black; the frame's corners are grey.
  first = viewer->waitFor([](const xdriver::Frame& f) { return f.width > 0 && f.at(0, 0) == grey; },
                          startSeconds, &ok);
  ASSERT_TRUE(ok) << "no first frame";
  viewer->focus();
}

xdriver::Frame AppTest::nextFrame(const xdriver::Frame& previous) {
  bool ok = false;
  const xdriver::Frame frame =
      viewer->waitFor([&](const xdriver::Frame& f) { return f != previous; }, frameSeconds, &ok);
  EXPECT_TRUE(ok) << "the window did not change";
  return frame;
}

xdriver::Frame AppTest::frameLike(const xdriver::Frame& expected, long tolerance) {
  bool ok = false;
  const xdriver::Frame frame = viewer->waitFor(
      [&](const xdriver::Frame& f) {
        const long d = xdriver::countDifferences(f, expected);
        return d >= 0 && d <= tolerance;
      },
      frameSeconds, &ok);
  EXPECT_TRUE(ok) << "the window never showed the expected frame; "
                  << xdriver::countDifferences(frame, expected) << " pixels differ";
  if (!ok) {
    keep(frame, "got");
    keep(expected, "expected");
  }
  return frame;
}

void AppTest::expectTurnAndBackToFirst(long tolerance) {
  ASSERT_TRUE(viewer->xdotool("key z"));
  nextFrame(first);
  ASSERT_TRUE(viewer->xdotool("key Z"));
  frameLike(first, tolerance);
}

AppTest::Box AppTest::boardBox(const xdriver::Frame& frame) {
  Box box{frame.width, frame.height, -1, -1};
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      if (frame.at(x, y) == grey) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

long AppTest::sharpSteps(const xdriver::Frame& frame) {
  long count = 0;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x + 1 < frame.width; ++x) {
      const auto a = frame.at(x, y), b = frame.at(x + 1, y);
      if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 12) ++count;
    }
  }
  return count;
}

void AppTest::keep(const xdriver::Frame& frame, const std::string& name) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string path = std::string("frame-") + info->name() + "-" + name + ".png";
  if (xdriver::savePng(frame, path)) std::printf("saved %s\n", path.c_str());
}

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "xdriver/xdriver.h"

// Starts the viewer for one test and waits for its first frame.
class AppTest : public ::testing::Test {
 public:
  static const std::string usage;

 protected:
  struct Box {
    int left, top, right, bottom;  // inclusive, window pixels
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
  };

  void TearDown() override;

  // A fresh empty folder, removed after the test.
  std::string emptyDir();
  void startIn(const std::string& dir);
  // Starts `command` (the viewer, or a tool that runs it) in `dir`.
  void startWith(const std::vector<std::string>& command, const std::string& dir);
  // Waits until the window shows something other than `previous`.
  xdriver::Frame nextFrame(const xdriver::Frame& previous);
  // Waits until the window shows `expected`, up to `tolerance` differing
  // pixels; returns the last frame seen.
  xdriver::Frame frameLike(const xdriver::Frame& expected, long tolerance = 0);
  // Presses z, waits for the turned frame, presses Z and expects the first
  // frame back: it can come back only once everything sent before has been
  // handled and has left the scene as it started.
  void expectTurnAndBackToFirst(long tolerance = 0);
  // The bounding box of everything that is not background.
  static Box boardBox(const xdriver::Frame& frame);
  // Pixels that differ from their right neighbour by more than 12 levels.
  static long sharpSteps(const xdriver::Frame& frame);
  // Saves the frame next to the test's output for a look after a failure.
  void keep(const xdriver::Frame& frame, const std::string& name);

  std::unique_ptr<xdriver::Viewer> viewer;
  xdriver::Frame first;
  std::string dir_;
  static constexpr std::array<int, 3> grey = {102, 102, 102};
};

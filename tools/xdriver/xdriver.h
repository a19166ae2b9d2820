#pragma once

// Drives the viewer as a user would: starts it as a process on the current
// X display, finds its window, sends real input through xdotool and reads
// back what the window shows. Shared by the end-to-end tests and the
// screenshot tool.

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct _XDisplay;

namespace xdriver {

using WindowId = unsigned long;  // an X window

struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows from the top, three bytes a pixel

  std::array<int, 3> at(int x, int y) const;
  bool operator==(const Frame& other) const;
  bool operator!=(const Frame& other) const { return !(*this == other); }
};

// Writes the frame as a PNG file; false if it could not be written.
bool savePng(const Frame& frame, const std::string& path);

// The viewer as a running process, with its standard output on a pipe.
// Ends the process if it is still running when this goes away.
class Viewer {
 public:
  // Runs `command` (the program and its arguments) in `workDir`.
  Viewer(const std::vector<std::string>& command, const std::string& workDir);
  ~Viewer();
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  // Everything the process printed so far.
  const std::string& output();
  // Waits up to `seconds` for the process to end; true with its status.
  bool waitForExit(double seconds, int* status);
  bool running();

  // The viewer's window, or the window of another program titled `title`;
  // 0 if none appeared within `seconds`.
  WindowId findWindow(double seconds);
  WindowId findWindow(double seconds, const std::string& title);
  Frame grab();
  // The window's first frame: it shows the black root until the viewer has
  // drawn, and never black corners after.
  Frame firstFrame(double seconds, bool* ok);
  // Grabs until `done` holds for a frame, for at most `seconds`; the last
  // frame grabbed is returned either way and `ok` says whether it held.
  Frame waitFor(const std::function<bool(const Frame&)>& done, double seconds, bool* ok);
  // Runs xdotool with the given arguments; true if it succeeded.
  bool xdotool(const std::string& args);
  void focus();
  // Takes the frames from the first of the window and its descendants that
  // is `width` by `height`: under Wine the program's GL area may lie in a
  // child of its titled window. False when none shows within `seconds`.
  bool findArea(int width, int height, double seconds);
  // The window's size and its position on the screen; false without one.
  bool geometry(int* x, int* y, int* width, int* height);
  WindowId window() const { return window_; }
  bool connected() const { return display_ != nullptr; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int outFd_ = -1;
  std::string output_;
  bool exited_ = false;
  int status_ = 0;
  _XDisplay* display_ = nullptr;
  WindowId window_ = 0;
  WindowId area_ = 0;              // where frames are read; the window itself unless set
  std::vector<WindowId> earlier_;  // top-level windows before the start
};

}  // namespace xdriver

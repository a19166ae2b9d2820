#include "xdriver/xdriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/state.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace xdriver {

namespace {

using Clock = std::chrono::steady_clock;

// Polling interval: short enough not to slow the tests, long enough not to
// steal the renderer's core.
void pause() {
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

Clock::time_point deadlineAfter(double seconds) {
  return Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
}

bool titleIs(::Display* display, Window window, const std::string& title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool same = title == name;
  XFree(name);
  return same;
}

// A window that goes away or is not yet mapped must not end the caller.
int ignoreXError(::Display*, XErrorEvent*) {
  return 0;
}

Window searchTree(::Display* display, Window parent, const std::string& title,
                  const std::vector<WindowId>& skip) {
  Window root = 0, up = 0, *children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, parent, &root, &up, &children, &count) == 0) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    const bool old = std::find(skip.begin(), skip.end(), children[i]) != skip.end();
    if (!old && titleIs(display, children[i], title)) {
      found = children[i];
    } else if (!old) {
      found = searchTree(display, children[i], title, skip);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

std::array<int, 3> Frame::at(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Frame::operator==(const Frame& other) const {
  return width == other.width && height == other.height && rgb == other.rgb;
}

bool savePng(const Frame& frame, const std::string& path) {
  return stbi_write_png(path.c_str(), frame.width, frame.height, 3, frame.rgb.data(),
                        frame.width * 3) != 0;
}

Viewer::Viewer(const std::vector<std::string>& command, const std::string& workDir) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  // The windows there before the process starts are not its own.
  display_ = XOpenDisplay(nullptr);
  XSetErrorHandler(ignoreXError);
  if (display_ != nullptr) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &up, &children, &count) != 0) {
      earlier_.assign(children, children + count);
      XFree(children);
    }
  }
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    if (chdir(workDir.c_str()) != 0) _exit(126);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  outFd_ = pipeFds[0];
  fcntl(outFd_, F_SETFL, O_NONBLOCK);
}

Viewer::~Viewer() {
  if (pid_ > 0 && running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  // The server drops the window a little after the process is gone; wait
  // for that, so the next viewer's window is not confused with this one.
  XWindowAttributes attributes;
  const auto deadline = deadlineAfter(10);
  while (display_ != nullptr && window_ != 0 && Clock::now() < deadline &&
         XGetWindowAttributes(display_, window_, &attributes) != 0) {
    pause();
  }
  if (outFd_ >= 0) close(outFd_);
  if (display_ != nullptr) XCloseDisplay(display_);
}

const std::string& Viewer::output() {
  char buffer[4096];
  ssize_t n;
  while (outFd_ >= 0 && (n = read(outFd_, buffer, sizeof buffer)) > 0) {
    output_.append(buffer, static_cast<std::size_t>(n));
  }
  return output_;
}

bool Viewer::running() {
  if (exited_ || pid_ <= 0) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) exited_ = true;
  return !exited_;
}

bool Viewer::waitForExit(double seconds, int* status) {
  const auto deadline = deadlineAfter(seconds);
  while (running() && Clock::now() < deadline) pause();
  if (running()) return false;
  *status = status_;
  return true;
}

Window Viewer::findWindow(double seconds) {
  return findWindow(seconds, windowTitle);
}

Window Viewer::findWindow(double seconds, const std::string& title) {
  if (display_ == nullptr) return 0;
  const auto deadline = deadlineAfter(seconds);
  do {
    window_ = searchTree(display_, DefaultRootWindow(display_), title, earlier_);
    if (window_ != 0) return window_;
    pause();
  } while (Clock::now() < deadline && running());
  return 0;
}

bool Viewer::findArea(int width, int height, double seconds) {
  const auto deadline = deadlineAfter(seconds);
  do {
    std::vector<Window> queue = {window_};
    for (std::size_t i = 0; i < queue.size() && window_ != 0; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display_, queue[i], &attributes) != 0 &&
          attributes.map_state == IsViewable && attributes.width == width &&
          attributes.height == height) {
        area_ = queue[i];
        return true;
      }
      Window root = 0, up = 0, *children = nullptr;
      unsigned int count = 0;
      if (XQueryTree(display_, queue[i], &root, &up, &children, &count) == 0) continue;
      queue.insert(queue.end(), children, children + count);
      if (children != nullptr) XFree(children);
    }
    pause();
  } while (Clock::now() < deadline && running());
  return false;
}

Frame Viewer::grab() {
  Frame frame;
  XWindowAttributes attributes;
  const Window area = area_ != 0 ? area_ : window_;
  if (area == 0 || XGetWindowAttributes(display_, area, &attributes) == 0 ||
      attributes.map_state != IsViewable) {
    return frame;
  }
  XImage* image =
      XGetImage(display_, area, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image == nullptr) return frame;
  frame.width = attributes.width;
  frame.height = attributes.height;
  frame.rgb.resize(static_cast<std::size_t>(frame.width) * frame.height * 3);
  std::size_t i = 0;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      frame.rgb[i++] = static_cast<std::uint8_t>((pixel & image->red_mask) >> 16);
      frame.rgb[i++] = static_cast<std::uint8_t>((pixel & image->green_mask) >> 8);
      frame.rgb[i++] = static_cast<std::uint8_t>(pixel & image->blue_mask);
    }
  }
  XDestroyImage(image);
  return frame;
}

Frame Viewer::firstFrame(double seconds, bool* ok) {
  const auto drawn = [](const Frame& f) {
    return f.width > 0 && f.at(0, 0) != std::array<int, 3>{0, 0, 0};
  };
  return waitFor(drawn, seconds, ok);
}

Frame Viewer::waitFor(const std::function<bool(const Frame&)>& done, double seconds, bool* ok) {
  const auto deadline = deadlineAfter(seconds);
  Frame frame = grab();
  while (!(*ok = done(frame)) && Clock::now() < deadline) {
    pause();
    frame = grab();
  }
  return frame;
}

bool Viewer::xdotool(const std::string& args) {
  const std::string command = "xdotool " + args;
  return std::system(command.c_str()) == 0;
}

bool Viewer::geometry(int* x, int* y, int* width, int* height) {
  XWindowAttributes attributes;
  Window child;
  if (window_ == 0 || XGetWindowAttributes(display_, window_, &attributes) == 0) return false;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, x, y, &child);
  *width = attributes.width;
  *height = attributes.height;
  return true;
}

void Viewer::focus() {
  XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  XSync(display_, False);
}

}  // namespace xdriver

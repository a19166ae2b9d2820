// Starts the viewer on the current X display, drives it with keys and
// drags, and writes what its window shows as a PNG file. Run it through
// tools/screenshot.sh, which gives it an X server of its own.

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "xdriver/xdriver.h"

namespace {

const char usage[] =
    "usage: screenshot [options]\n"
    "  --dir DIR        working directory of the viewer (default: .)\n"
    "  --program PATH   the viewer to run (default: the one built with this tool)\n"
    "  --out FILE       PNG file to write (default: screenshot.png)\n"
    "  --keys \"K ...\"   keys to press, as xdotool names them (x, X, Escape, ...)\n"
    "  --drag X1,Y1,X2,Y2  drag with the left button held from one point to another\n"
    "  --wrap \"CMD\"     run the viewer under CMD (for example valgrind)\n"
    "  --timeout S      seconds to wait for a window or a frame (default: 30)\n"
    "  --quit           press ESC at the end and report the exit status\n"
    "Keys and drags are sent in the order given, each after the frame before it.\n";

struct Action {
  bool isDrag;
  std::string what;
};

struct Options {
  std::string dir = ".";
  std::string program = VIEWER_PROGRAM;
  std::string out = "screenshot.png";
  std::string wrap;
  double timeout = 30;
  bool quit = false;
  std::vector<Action> actions;
};

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--quit") {
      o.quit = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (flag == "--dir") {
      o.dir = value;
    } else if (flag == "--program") {
      o.program = value;
    } else if (flag == "--out") {
      o.out = value;
    } else if (flag == "--wrap") {
      o.wrap = value;
    } else if (flag == "--timeout") {
      o.timeout = std::atof(value.c_str());
    } else if (flag == "--keys") {
      std::istringstream keys(value);
      for (std::string key; keys >> key;) o.actions.push_back({false, key});
    } else if (flag == "--drag") {
      int x1, y1, x2, y2;
      if (std::sscanf(value.c_str(), "%d,%d,%d,%d", &x1, &y1, &x2, &y2) != 4) return false;
      std::ostringstream drag;
      drag << "mousemove " << x1 << " " << y1 << " mousedown 1 mousemove " << x2 << " " << y2
           << " mouseup 1";
      o.actions.push_back({true, drag.str()});
    } else {
      return false;
    }
  }
  return true;
}

std::vector<std::string> command(const Options& o) {
  std::vector<std::string> words;
  std::istringstream wrap(o.wrap);
  for (std::string word; wrap >> word;) words.push_back(word);
  words.push_back(o.program);
  return words;
}

// Sends one action and waits for the frame it causes.
xdriver::Frame act(xdriver::Viewer& viewer, const Action& action, const xdriver::Frame& before,
                   double timeout) {
  viewer.xdotool(action.isDrag ? action.what : "key " + action.what);
  bool changed = false;
  const xdriver::Frame after =
      viewer.waitFor([&](const xdriver::Frame& f) { return f != before; }, timeout, &changed);
  if (!changed) std::fprintf(stderr, "screenshot: no new frame after '%s'\n", action.what.c_str());
  return after;
}

int finish(xdriver::Viewer& viewer, double timeout) {
  viewer.xdotool("key Escape");
  int status = 0;
  if (!viewer.waitForExit(timeout, &status)) {
    std::fprintf(stderr, "screenshot: the viewer did not end after ESC\n");
    return 1;
  }
  std::printf("viewer ended with status %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fputs(usage, stderr);
    return 2;
  }
  xdriver::Viewer viewer(command(options), options.dir);
  if (!viewer.connected() || viewer.findWindow(options.timeout) == 0) {
    std::fprintf(stderr, "screenshot: no viewer window; it printed:\n%s", viewer.output().c_str());
    return 1;
  }
  bool drawn = false;
  xdriver::Frame frame = viewer.firstFrame(options.timeout, &drawn);
  if (!drawn) {
    std::fprintf(stderr, "screenshot: the window showed no frame\n");
    return 1;
  }
  viewer.focus();
  for (const Action& action : options.actions) frame = act(viewer, action, frame, options.timeout);
  if (!xdriver::savePng(frame, options.out)) {
    std::fprintf(stderr, "screenshot: cannot write %s\n", options.out.c_str());
    return 1;
  }
  std::printf("wrote %s (%d x %d)\n", options.out.c_str(), frame.width, frame.height);
  std::fputs(viewer.output().c_str(), stdout);
  return options.quit ? finish(viewer, options.timeout) : 0;
}

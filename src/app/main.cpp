#include <cstdio>

#include "app/command_line.h"
#include "app/gl.h"
#include "app/window.h"

int main(int argc, char** argv) {
  switch (requestFrom(argc, argv)) {
    case Request::help:
      printHelp();
      return endOutput();
    case Request::version:
      printVersion();
      return endOutput();
    case Request::run:
      break;
  }
  std::fputs(usageText, stdout);
  // Shown at once even when standard output is a pipe or a log file.
  std::fflush(stdout);
  glutInit(&argc, argv);
  initWindow();
  std::fflush(stdout);
  glutMainLoop();
  return 0;
}

#include "app/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/state.h"
#include "texture/texture_file.h"

const char usageText[] =
    "Use x/y/z/X/Y/Z-keys to rotate.\n"
    "Move mouse while pressing button to change light position.\n";

Request requestFrom(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) return Request::help;
    if (std::strcmp(argv[i], "--version") == 0) return Request::version;
  }
  return Request::run;
}

void printHelp() {
  std::printf(
      "Usage: marblechess [GLUT OPTION]...\n"
      "Show a marble chessboard with six pieces in a window, lit by a spotlight.\n\n"
      "%s\n"
      "  x, y, z    turn the scene by 5 degrees about the x, y or z axis\n"
      "  X, Y, Z    turn it back by 5 degrees\n"
      "  drag       move the spotlight with any mouse button held\n"
      "  ESC        quit\n\n"
      "The board's texture is %s in the working directory or, where there is\n"
      "none, the one installed with the program:\n  %s\n\n"
      "GLUT takes the other options, among them:\n"
      "  -display DISPLAY        the X server to show the window on\n"
      "  -iconic                 start as an icon\n"
      "  -direct, -indirect      force direct or indirect rendering\n"
      "  -gldebug                report OpenGL errors after every frame\n"
      "  -sync                   make X calls synchronous\n\n"
      "  --help     display this help and exit\n"
      "  --version  output version information and exit\n",
      usageText, textureFileName, bundledTextureFile().c_str());
}

void printVersion() {
  std::printf(
      "marblechess %s\n"
      "Copyright (C) 2026 the marblechess developers.\n"
      "License Expat (MIT): <https://spdx.org/licenses/MIT.html>.\n"
      "This is free software: you are free to change and redistribute it.\n"
      "There is NO WARRANTY, to the extent permitted by law.\n",
      MARBLECHESS_VERSION);
}

int endOutput() {
  // Text lost to a full disk is a failure, not a silent success.
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "marblechess: write error: %s\n", std::strerror(errno));
  return 1;
}

#include <cstdio>

#include "app/gl.h"
#include "app/window.h"

int main(int argc, char** argv) {
  std::printf("Use x/y/z/X/Y/Z-keys to rotate.\n");
  std::printf("Move mouse while pressing button to change light position.\n");
  // Shown at once even when standard output is a pipe or a log file.
  std::fflush(stdout);
  glutInit(&argc, argv);
  initWindow();
  std::fflush(stdout);
  glutMainLoop();
  return 0;
}

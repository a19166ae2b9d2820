// What desktop GLUT does on a resize for a program that registers no
// reshape callback of its own.

#include <GL/gl.h>

extern "C" void standinDefaultReshape(int width, int height) {
  glViewport(0, 0, width, height);
}

#include "app/input.h"

#include <cstdlib>

#include "app/gl.h"
#include "app/state.h"
#include "app/view_math.h"

namespace {

constexpr unsigned char escapeKey = 27;

}  // namespace

void reshape(int width, int height) {
  windowWidth = width;
  windowHeight = height;
  // The projection is set on every frame, and GLUT redraws after a reshape.
  glViewport(0, 0, width, height);
}

void keyboard(unsigned char key, int, int) {
  switch (key) {
    case escapeKey:
      std::exit(0);
    case 'x':
      rotX = turnAngle(rotX, rotationStep);
      break;
    case 'X':
      rotX = turnAngle(rotX, -rotationStep);
      break;
    case 'y':
      rotY = turnAngle(rotY, rotationStep);
      break;
    case 'Y':
      rotY = turnAngle(rotY, -rotationStep);
      break;
    case 'z':
      rotZ = turnAngle(rotZ, rotationStep);
      break;
    case 'Z':
      rotZ = turnAngle(rotZ, -rotationStep);
      break;
    default:
      break;
  }
  glutPostRedisplay();
}

void mouseMotion(int x, int y) {
  mouseX = x;
  mouseY = y;
  glutPostRedisplay();
}

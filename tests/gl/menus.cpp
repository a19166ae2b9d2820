// GLUT's menus: a menu on the left button with two entries and a submenu
// of colours, made before it, and one entry changed after the first
// choice. The program prints each choice with the menu it came from, and
// when the menus open and close, and draws a square of the size and colour
// chosen.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "window.h"

namespace {

int colours = 0, sizes = 0;
bool endWithMenu = false;  // the program ends as soon as a menu opens
float size = 0.5f;
float colour[3] = {0.9f, 0.9f, 0.9f};

void choose(int value) {
  std::printf("chose %d from menu %d of %d entries\n", value, glutGetMenu(),
              glutGet(GLUT_MENU_NUM_ITEMS));
  std::fflush(stdout);
  if (value == 10) size *= 1.5f;
  if (value == 11) size /= 1.5f;
  if (value >= 1 && value <= 3) {
    for (int c = 0; c < 3; ++c) colour[c] = c == value - 1 ? 1.0f : 0.25f;
  }
  // The first choice renames the first entry.
  glutSetMenu(sizes);
  glutChangeToMenuEntry(1, "much bigger", 10);
  glutPostRedisplay();
}

void end(int) {
  std::exit(0);
}

// Said as the menus open and close, where the pointer is.
void status(int state, int x, int y) {
  std::printf("menu %s at %d %d\n", state == GLUT_MENU_IN_USE ? "in use" : "not in use", x, y);
  std::fflush(stdout);
  if (endWithMenu && state == GLUT_MENU_IN_USE) glutTimerFunc(0, end, 0);
}

// The key g turns the square green as the colour menu's green does: the
// desktop's menus open a submenu only once the window server has shown it,
// which no input can wait for, so the desktop reaches that frame so. The
// key r moves the menu from the left button to the right; e has the
// program end while the next menu it opens is shown.
void key(unsigned char c) {
  if (c == 'e') endWithMenu = true;
  if (c == 'r') {
    glutSetMenu(sizes);
    glutDetachMenu(GLUT_LEFT_BUTTON);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
  }
  if (c != 'g') return;
  colour[0] = colour[2] = 0.25f;
  colour[1] = 1;
  glutPostRedisplay();
}

void display() {
  startFrame(0.15f);
  glColor3fv(colour);
  glRectf(-size, -size, size, size);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "menus", display, key);
  colours = glutCreateMenu(choose);
  glutAddMenuEntry("red", 1);
  glutAddMenuEntry("green", 2);
  glutAddMenuEntry("blue", 3);
  sizes = glutCreateMenu(choose);
  glutAddMenuEntry("bigger", 10);
  glutAddMenuEntry("smaller", 11);
  glutAddSubMenu("colour", colours);
  glutAttachMenu(GLUT_LEFT_BUTTON);
  glutMenuStatusFunc(status);
  // Where the entries lie: the menus are as wide as their widest label
  // and 8 more.
  std::printf("menu widths:");
  for (const char* label : {"colour_", "much bigger", "green"}) {
    std::printf(
        " %s %d", label,
        glutBitmapLength(GLUT_BITMAP_HELVETICA_18, reinterpret_cast<const unsigned char*>(label)));
  }
  std::printf("\n");
  std::fflush(stdout);
  glutMainLoop();
}

// GLUT's callbacks as real input and time call them. The program prints
// that its window is visible, each input callback with what it was given
// and the modifiers held, and on w what glutGet knows of the window; the
// entry and passive motion callbacks speak only after the first key, so
// that where the pointer starts says nothing. At the start the idle
// function runs 40 times and takes itself away, and then two timers are
// set at once, the later one first. The frame shows where they have come
// to: a bar as long as the idle calls, a square for each timer called once
// and no more, a cross where a button was last pressed, a square the arrow
// keys move.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "window.h"

namespace {

int idleCalls = 0;
int timerCalls[3] = {0, 0, 0};
int pressedX = -1, pressedY = -1;
int squareX = 0, squareY = 0;
bool heard = false;  // whether a key has come yet

void say(const char* what, int value, int x, int y, bool modifiers = true) {
  if (modifiers) {
    std::printf("%s %d at %d %d, modifiers %d\n", what, value, x, y, glutGetModifiers());
  } else {
    std::printf("%s %d at %d %d\n", what, value, x, y);
  }
  std::fflush(stdout);
}

void timer(int value) {
  timerCalls[value] += 1;
  std::printf("timer %d\n", value);
  std::fflush(stdout);
  glutPostRedisplay();
}

void idle() {
  idleCalls += 1;
  if (idleCalls == 40) {
    glutIdleFunc(nullptr);
    std::printf("idle stopped after %d calls\n", idleCalls);
    std::fflush(stdout);
    glutTimerFunc(120, timer, 2);
    glutTimerFunc(30, timer, 1);
  }
  glutPostRedisplay();
}

// A timer still waiting when the program ends is never called.
void late(int) {
  std::printf("a timer called after the end\n");
  std::fflush(stdout);
}

void keyboard(unsigned char key, int x, int y) {
  if (key == 27) {
    glutTimerFunc(0, late, 0);
    std::exit(0);
  }
  heard = true;
  say("key", key, x, y);
  if (key == 'w') {
    std::printf("window %d x %d of %d x %d asked, double %d, elapsed %s, keyboard %d, mouse %d\n",
                glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT),
                glutGet(GLUT_INIT_WINDOW_WIDTH), glutGet(GLUT_INIT_WINDOW_HEIGHT),
                glutGet(GLUT_WINDOW_DOUBLEBUFFER),
                glutGet(GLUT_ELAPSED_TIME) > 0 ? "running" : "none",
                glutDeviceGet(GLUT_HAS_KEYBOARD), glutDeviceGet(GLUT_HAS_MOUSE));
    std::fflush(stdout);
  }
}

void keyboardUp(unsigned char key, int x, int y) {
  say("key up", key, x, y);
}

void special(int key, int x, int y) {
  say("special", key, x, y);
  if (key == GLUT_KEY_LEFT) squareX -= 20;
  if (key == GLUT_KEY_RIGHT) squareX += 20;
  if (key == GLUT_KEY_UP) squareY += 20;
  if (key == GLUT_KEY_DOWN) squareY -= 20;
  glutPostRedisplay();
}

void specialUp(int key, int x, int y) {
  say("special up", key, x, y);
}

void mouse(int button, int state, int x, int y) {
  say(state == GLUT_DOWN ? "down" : "up", button, x, y);
  if (state == GLUT_DOWN && button < 3) {
    pressedX = x;
    pressedY = y;
    glutPostRedisplay();
  }
}

void motion(int x, int y) {
  say("motion", 0, x, y, false);
}

void passive(int x, int y) {
  if (heard) say("passive", 0, x, y, false);
}

// Said once for each change, however many times the window server tells.
void entry(int state) {
  static int last = -1;
  if (!heard || state == last) return;
  last = state;
  std::printf("%s\n", state == GLUT_ENTERED ? "entered" : "left");
  std::fflush(stdout);
}

void visibility(int state) {
  std::printf("%s\n", state == GLUT_VISIBLE ? "visible" : "not visible");
  std::fflush(stdout);
}

void rectangle(int x, int y, int width, int height) {
  glRecti(x, y, x + width, y + height);
}

void display() {
  glClearColor(0.1f, 0.1f, 0.1f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowSize, windowSize, 0, -1, 1);  // as the window counts, down from the top
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(0.3f, 0.8f, 0.4f);
  rectangle(8, 8, idleCalls * 5, 12);
  for (int i = 1; i <= 2; ++i) {
    glColor3f(timerCalls[i] == 1 ? 0.9f : 0.3f, 0.5f, timerCalls[i] > 1 ? 1.0f : 0.2f);
    if (timerCalls[i] > 0) rectangle(8 + 24 * i, 30, 16, 16);
  }
  glColor3f(0.4f, 0.6f, 1);
  rectangle(118 + squareX, 118 - squareY, 20, 20);
  if (pressedX >= 0) {
    glColor3f(1, 0.9f, 0.3f);
    rectangle(pressedX - 6, pressedY, 13, 1);
    rectangle(pressedX, pressedY - 6, 1, 13);
  }
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "input", display, nullptr, GLUT_RGB | GLUT_DOUBLE);
  glutKeyboardFunc(keyboard);
  glutKeyboardUpFunc(keyboardUp);
  glutSpecialFunc(special);
  glutSpecialUpFunc(specialUp);
  glutMouseFunc(mouse);
  glutMotionFunc(motion);
  glutPassiveMotionFunc(passive);
  glutEntryFunc(entry);
  glutIdleFunc(idle);
  glutVisibilityFunc(visibility);
  glutMainLoop();
}

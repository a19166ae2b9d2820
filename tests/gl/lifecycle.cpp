// A window's life beyond single presses: a key held down, its repeats heard
// or not as the program asks, full screen, and the ways a program ends
// itself, each of which runs the close callback.
//   h held: each press said; while repeats are heard, the first two alone,
//     as the window server paces the rest
//   i: glutIgnoreKeyRepeat; o: glutSetKeyRepeat off instead. Each sets a
//     timer that says when h has been held long enough to repeat
//   f: glutFullScreen, and again glutLeaveFullScreen; the reshape says
//     when the window is full screen and larger, and back to its size
//   q: glutLeaveMainLoop; d: glutDestroyWindow
// The wheel's steps are the wheel callback's, each said.
// The square is grey while repeats are heard and blue while they are not.

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>

#include "window.h"

namespace {

int presses = 0;  // of h, since repeats were last turned on or off
bool repeatsHeard = true;
bool fullScreen = false;
bool fullScreenAsked = false;  // since when reshapes are said

void say(const char* text) {
  std::printf("%s\n", text);
  std::fflush(stdout);
}

void heldLongEnough(int) {
  say("h held long enough to repeat");
}

void stopRepeats(bool ignore) {
  glutIgnoreKeyRepeat(ignore ? 1 : 0);
  glutSetKeyRepeat(ignore ? GLUT_KEY_REPEAT_DEFAULT : GLUT_KEY_REPEAT_OFF);
  repeatsHeard = false;
  presses = 0;
  say(ignore ? "repeats ignored" : "repeats off");
  glutTimerFunc(1500, heldLongEnough, 0);
  glutPostRedisplay();
}

void key(unsigned char key) {
  if (key == 'h') {
    presses += 1;
    if (presses <= 2 || !repeatsHeard) std::printf("h pressed %d\n", presses);
    std::fflush(stdout);
  }
  if (key == 'i' || key == 'o') stopRepeats(key == 'i');
  if (key == 'f') {
    fullScreen = !fullScreen;
    fullScreenAsked = true;
    if (fullScreen)
      glutFullScreen();
    else
      glutLeaveFullScreen();
  }
  if (key == 'q') glutLeaveMainLoop();
  if (key == 'd') glutDestroyWindow(glutGetWindow());
}

// Said as the window comes to full screen or back to its size, once each
// time: a browser may pass through sizes on the way, which say nothing.
void reshape(int width, int height) {
  static const char* said = "";
  glViewport(0, 0, width, height);
  if (!fullScreenAsked) return;
  const char* now = "";
  if (glutGet(GLUT_FULL_SCREEN) == 1 && width > windowSize && height > windowSize) {
    now = "the window is full screen, and larger";
  } else if (width == windowSize && height == windowSize) {
    now = "the window is back to 256 x 256";
  }
  if (*now == '\0' || std::strcmp(now, said) == 0) return;
  said = now;
  say(now);
}

void wheel(int number, int direction, int x, int y) {
  std::printf("wheel %d turned %d at %d %d\n", number, direction, x, y);
  std::fflush(stdout);
}

void closed() {
  say("closed");
}

void display() {
  startFrame(0.15f);
  if (repeatsHeard)
    glColor3f(0.6f, 0.6f, 0.6f);
  else
    glColor3f(0.3f, 0.5f, 1);
  glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "lifecycle", display, key);
  glutReshapeFunc(reshape);
  glutCloseFunc(closed);
  glutMouseWheelFunc(wheel);
  glutMainLoop();
}

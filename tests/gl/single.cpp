// A single-buffered program with no reshape callback of its own: GLUT sets
// the viewport to the whole window at every size, and glFlush shows the
// frame. Corners of four colours and a frame one pixel in from the edges
// show where the viewport lies.

#include <GL/glut.h>

#include "window.h"

namespace {

void display() {
  glClearColor(0.2f, 0.2f, 0.25f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glBegin(GL_QUADS);
  glColor3f(1, 0.2f, 0.2f);
  glVertex2f(-0.8f, -0.8f);
  glColor3f(0.2f, 1, 0.2f);
  glVertex2f(0.8f, -0.8f);
  glColor3f(0.2f, 0.2f, 1);
  glVertex2f(0.8f, 0.8f);
  glColor3f(1, 1, 0.2f);
  glVertex2f(-0.8f, 0.8f);
  glEnd();
  glColor3f(1, 1, 1);
  glBegin(GL_LINE_LOOP);
  glVertex2f(-0.99f, -0.99f);
  glVertex2f(0.99f, -0.99f);
  glVertex2f(0.99f, 0.99f);
  glVertex2f(-0.99f, 0.99f);
  glEnd();
  sayErrors("in a frame");
  glFlush();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "single", display, nullptr, GLUT_RGB | GLUT_SINGLE);
  glutReshapeFunc(nullptr);
  glutMainLoop();
}

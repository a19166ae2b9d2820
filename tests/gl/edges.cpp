// Triangles whose edges run through rows, columns and diagonals of pixel
// centres, in every orientation: which side takes a pixel whose centre
// lies on an edge is the renderer's rule, and the page must give each such
// pixel to the side the desktop gives it.

#include <GL/glut.h>

#include "window.h"

namespace {

void triangle(float x0, float y0, float x1, float y1, float x2, float y2) {
  glBegin(GL_TRIANGLES);
  glVertex2f(x0, y0);
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
  glEnd();
}

// Eight kinds of triangle, each with its corners on pixel centres, on a
// grid of four by four, in a window a pixel a unit.
void display() {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowSize, 0, windowSize, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(1, 1, 1);
  const float s = 20;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      const float x = 10.5f + 60.0f * float(column), y = 10.5f + 60.0f * float(row);
      switch ((row * 4 + column) % 8) {
        case 0:
          triangle(x, y, x + s, y, x, y + s);
          break;
        case 1:
          triangle(x + s, y, x + s, y + s, x, y + s);
          break;
        case 2:
          triangle(x, y, x + s, y, x + s, y + s);
          break;
        case 3:
          triangle(x, y, x + s, y + s, x, y + s);
          break;
        case 4:
          triangle(x, y, x + s, y + 2 * s, x - s, y + s);
          break;
        case 5:
          triangle(x, y, x + 2 * s, y + s, x + s, y + 2 * s);
          break;
        case 6:
          triangle(x, y, x + s, y, x + s * 0.5f, y + s);
          break;
        default:
          triangle(x, y + s, x + s, y + s, x + s * 0.5f, y);
          break;
      }
    }
  }
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "edges", display);
  glutMainLoop();
}

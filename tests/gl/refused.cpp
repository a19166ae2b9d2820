// What GL 1.1 has and the page cannot draw as the desktop does, each made
// on a key of its own: a logic operation, selection, an evaluator's map,
// smooth lines and depth pixels drawn. The page says which call it cannot
// draw and draws nothing from then on; the desktop draws on.

#include <GL/glut.h>

#include "window.h"

namespace {

unsigned char chosen = 0;

void square(float x, float y) {
  glRectf(x, y, x + 0.6f, y + 0.6f);
}

void refused() {
  static GLuint names[16];
  static const float points[2][3] = {{-0.5f, 0, 0}, {0.5f, 0, 0}};
  static const float depths[4] = {0.5f, 0.5f, 0.5f, 0.5f};
  switch (chosen) {
    case '1':
      glEnable(GL_COLOR_LOGIC_OP);
      glLogicOp(GL_XOR);
      break;
    case '2':
      glSelectBuffer(16, names);
      glRenderMode(GL_SELECT);
      break;
    case '3':
      glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, 2, points[0]);
      glEnable(GL_MAP1_VERTEX_3);
      glMapGrid1f(4, 0, 1);
      glEvalMesh1(GL_LINE, 0, 4);
      break;
    case '4':
      glEnable(GL_LINE_SMOOTH);
      glBegin(GL_LINES);
      glVertex2f(-0.8f, -0.8f);
      glVertex2f(0.8f, -0.7f);
      glEnd();
      break;
    case '5':
      glRasterPos2f(0, 0);
      glDrawPixels(2, 2, GL_DEPTH_COMPONENT, GL_FLOAT, depths);
      break;
    default:
      break;
  }
}

void display() {
  startFrame(0.2f);
  glColor3f(0.3f, 0.8f, 0.4f);
  square(-0.8f, 0.1f);
  refused();
  glColor3f(0.9f, 0.5f, 0.2f);
  square(0.1f, 0.1f);
  glutSwapBuffers();
}

// The call is made at once, and a square drawn after it, so that what is
// refused at a draw is refused now.
void key(unsigned char k) {
  chosen = k;
  refused();
  square(-0.8f, -0.8f);
  glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "refused", display, key);
  glutMainLoop();
}

// Colours given between glBegin and glEnd: each belongs to the vertices
// after it and is blended across the primitive, in perspective, clamped to
// [0, 1] first; with lighting on they leave the material as it was.

#include <GL/glut.h>

#include "window.h"

namespace {

// The classic triangle, a red, a green and a blue corner.
void triangle() {
  glBegin(GL_TRIANGLES);
  glColor3f(1, 0, 0);
  glVertex3f(-1.9f, 0.2f, 0);
  glColor3f(0, 1, 0);
  glVertex3f(-0.2f, 0.2f, 0);
  glColor4f(0, 0, 1, 1);
  glVertex3f(-1.05f, 1.9f, 0);
  glEnd();
}

// A quad leaning away from the viewer, so its colours are blended in
// perspective.
void leaningQuad() {
  glPushMatrix();
  glTranslatef(1.05f, 1.05f, 0);
  glRotatef(-60, 1, 0, 0);
  glBegin(GL_QUADS);
  const float corners[4][2] = {{-0.8f, -0.8f}, {0.8f, -0.8f}, {0.8f, 0.8f}, {-0.8f, 0.8f}};
  const float colours[4][3] = {{1, 1, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 1}};
  for (int i = 0; i < 4; ++i) {
    glColor3f(colours[i][0], colours[i][1], colours[i][2]);
    glVertex3f(corners[i][0], corners[i][1], 0);
  }
  glEnd();
  glPopMatrix();
}

// A fan whose rim colours lie beyond [0, 1] on both sides: each is clamped
// before it is blended.
void fanPastTheRange() {
  glBegin(GL_TRIANGLE_FAN);
  glColor3f(0.5f, 0.5f, 0.5f);
  glVertex3f(-1.05f, -1.05f, 0);
  const float rim[5][2] = {
      {-1.9f, -1.9f}, {-0.2f, -1.9f}, {-0.2f, -0.2f}, {-1.9f, -0.2f}, {-1.9f, -1.9f}};
  const float colours[5][3] = {{2, -1, 0}, {-1, 2, 0.25f}, {0, -1, 2}, {2, 2, -1}, {2, -1, 0}};
  for (int i = 0; i < 5; ++i) {
    glColor3f(colours[i][0], colours[i][1], colours[i][2]);
    glVertex3f(rim[i][0], rim[i][1], 0);
  }
  glEnd();
}

// A strip of two quads, each corner its own colour: it shows along which
// diagonal each quad is cut.
void stripOfQuads() {
  const float colours[6][3] = {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {1, 1, 1}, {1, 0, 1}, {0, 0, 0}};
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 6; ++i) {
    glColor3f(colours[i][0], colours[i][1], colours[i][2]);
    glVertex3f(0.2f + 0.85f * static_cast<float>(i / 2), i % 2 == 0 ? -1.0f : -0.2f, 0);
  }
  glEnd();
}

// Lit, the colours change nothing: the strip shows the default grey
// material under a white light.
void litStrip() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glBegin(GL_QUAD_STRIP);
  glNormal3f(0, 0.6f, 0.8f);
  glColor3f(1, 0, 0);
  glVertex3f(0.2f, -1.9f, 0);
  glColor3f(0, 1, 0);
  glVertex3f(1.9f, -1.9f, 0);
  glNormal3f(0, 0, 1);
  glColor3f(0, 0, 1);
  glVertex3f(0.2f, -1.1f, 0);
  glVertex3f(1.9f, -1.1f, 0);
  glEnd();
  glDisable(GL_LIGHTING);
}

void display() {
  startFrame(0.2f);
  triangle();
  leaningQuad();
  fanPastTheRange();
  stripOfQuads();
  litStrip();
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "colours", display);
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

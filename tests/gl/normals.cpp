// Lit spheres under transforms that change their normals: a mirror, which
// must keep them pointing out, a scale without GL_NORMALIZE, which changes
// their length and so the light, and a stretch with GL_NORMALIZE, which
// turns them. Normals are taken through the inverse transpose of the
// modelview matrix, as GL takes them.

#include <GL/glut.h>

#include "window.h"

namespace {

void asItIs() {
  glutSolidSphere(0.9, 32, 24);
}

void mirrored() {
  glScalef(-1, 1, 1);
  glutSolidSphere(0.9, 32, 24);
}

// Half as large: without GL_NORMALIZE its normals are twice as long.
void halved() {
  glScalef(0.5f, 0.5f, 0.5f);
  glutSolidSphere(1.8, 32, 24);
}

// Stretched and normalised, drawn by GLU in immediate mode.
void stretched() {
  glEnable(GL_NORMALIZE);
  glScalef(1.4f, 0.7f, 1);
  GLUquadric* quadric = gluNewQuadric();
  gluSphere(quadric, 0.9, 32, 24);
  gluDeleteQuadric(quadric);
  glDisable(GL_NORMALIZE);
}

void at(float x, float y, void (*draw)()) {
  glPushMatrix();
  glTranslatef(x, y, 0);
  draw();
  glPopMatrix();
}

void display() {
  glClearColor(0.1f, 0.1f, 0.3f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 8);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const float place[] = {-1.5f, 2, 2, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, place);
  glTranslatef(0, 0, -5);
  at(-1.2f, 1.2f, asItIs);
  at(1.2f, 1.2f, mirrored);
  at(-1.2f, -1.2f, halved);
  at(1.2f, -1.2f, stretched);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "normals", display);
  const float white[] = {1, 1, 1, 1};
  const float grey[] = {0.6f, 0.6f, 0.6f, 1};
  const float orange[] = {0.9f, 0.5f, 0.1f, 1};
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, orange);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, grey);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 24);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

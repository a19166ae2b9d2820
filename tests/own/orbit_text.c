#include <GL/freeglut.h>
#include <stdio.h>

#include "orbit.h"

void drawCaption(int width, int height) {
  char caption[64];
  snprintf(caption, sizeof caption, "step %d of %d", step, lastStep);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, width, 0, height);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glColor3f(1.0f, 1.0f, 0.6f);
  glRasterPos2i(8, height - 20);
  glutBitmapString(GLUT_BITMAP_HELVETICA_18, (const unsigned char*)caption);
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

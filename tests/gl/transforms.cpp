// The transforms of GL 1.1: orthographic and perspective projections,
// matrices loaded and multiplied in single and double precision, the
// depth range, clip planes in eye coordinates, and the matrices and
// viewport read back as a program reads them to map its points to the
// window itself.

#include <GL/glut.h>

#include <cmath>
#include <cstdio>

#include "window.h"

namespace {

void quad(float size) {
  glBegin(GL_QUADS);
  glVertex3f(-size, -size, 0);
  glVertex3f(size, -size, 0);
  glVertex3f(size, size, 0);
  glVertex3f(-size, size, 0);
  glEnd();
}

// A quad whose corners have their own colours, so that how it is cut into
// triangles shows.
void colouredQuad(float size) {
  glBegin(GL_QUADS);
  glColor3f(1, 0, 0);
  glVertex3f(-size, -size, 0);
  glColor3f(0, 0, 0);
  glVertex3f(size, -size, 0);
  glColor3f(1, 1, 1);
  glVertex3f(size, size, 0);
  glColor3f(0, 0, 1);
  glVertex3f(-size, size, 0);
  glEnd();
}

// Top left: a quad sheared by a matrix multiplied in, and one by a matrix
// loaded, in double precision.
void loadedAndMultiplied() {
  const GLfloat shear[16] = {1, 0, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(-2.5f, 2.5f, -8);
  glMultMatrixf(shear);
  glColor3f(0.9f, 0.6f, 0.2f);
  quad(0.8f);
  const GLdouble placed[16] = {0.6, 0.3, 0, 0, -0.3, 0.6, 0, 0, 0, 0, 1, 0, -0.5, 1.2, -8, 1};
  glLoadMatrixd(placed);
  glColor3f(0.2f, 0.6f, 0.9f);
  quad(0.8f);
  // Read back, the matrix is what was loaded.
  GLdouble got[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, got);
  for (int i = 0; i < 16; ++i) {
    if (std::fabs(got[i] - placed[i]) > 1e-6)
      std::printf("the matrix loaded reads back otherwise\n");
  }
}

// Top right: the depth range. Two squares overlap; the nearer one is drawn
// first, then a range that puts the farther one in front.
void depthRange() {
  glLoadIdentity();
  glTranslatef(2.5f, 2.5f, -8);
  glColor3f(0.8f, 0.2f, 0.2f);
  quad(0.8f);
  glDepthRange(0.0, 0.1);
  glTranslatef(0.6f, -0.6f, -1);
  glColor3f(0.2f, 0.8f, 0.2f);
  quad(0.8f);
  glDepthRange(0.0, 1.0);
}

// Bottom left: a lit sphere cut by two clip planes given in object
// coordinates, one with the modelview turned; and a quad of four colours
// cut through its middle.
void clipped() {
  glLoadIdentity();
  glTranslatef(-2.5f, -2.0f, -8);
  const GLdouble keepRight[] = {1, 0, 0, 0.3};
  glClipPlane(GL_CLIP_PLANE0, keepRight);
  glRotatef(45, 0, 0, 1);
  const GLdouble keepBelow[] = {0, -1, 0, 0.4};
  glClipPlane(GL_CLIP_PLANE3, keepBelow);
  glEnable(GL_CLIP_PLANE0);
  glEnable(GL_CLIP_PLANE3);
  glEnable(GL_LIGHTING);
  glutSolidSphere(1.2, 32, 24);
  glDisable(GL_LIGHTING);
  glDisable(GL_CLIP_PLANE3);
  glLoadIdentity();
  glTranslatef(-1.0f, -3.2f, -8);
  const GLdouble keepLeft[] = {-1, 0, 0, 0.3};
  glClipPlane(GL_CLIP_PLANE0, keepLeft);
  colouredQuad(0.7f);
  glDisable(GL_CLIP_PLANE0);
}

// Bottom right, under an orthographic projection of its own: points mapped
// to the window by the program from the matrices and viewport it reads
// back, marked with squares placed there in window coordinates.
void readBack() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-4, 4, -4, 4, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(2.0, -2.5, 0);
  glRotated(30, 0, 0, 1);
  glScaled(1.5, 0.8, 1);
  glColor3f(0.6f, 0.4f, 0.9f);
  quad(0.6f);
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  // The quad's corner (0.6, 0.6) in window coordinates.
  const double object[4] = {0.6, 0.6, 0, 1};
  double eye[4], clip[4];
  for (int i = 0; i < 4; ++i) {
    eye[i] =
        model[i] * object[0] + model[4 + i] * object[1] + model[8 + i] * object[2] + model[12 + i];
  }
  for (int i = 0; i < 4; ++i) {
    clip[i] = projection[i] * eye[0] + projection[4 + i] * eye[1] + projection[8 + i] * eye[2] +
              projection[12 + i] * eye[3];
  }
  const double x = viewport[0] + (clip[0] / clip[3] + 1) * viewport[2] / 2;
  const double y = viewport[1] + (clip[1] / clip[3] + 1) * viewport[3] / 2;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(1, 1, 0.3f);
  glRectd(std::floor(x) - 3, std::floor(y) - 3, std::floor(x) + 4, std::floor(y) + 4);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void display() {
  glClearColor(0.2f, 0.2f, 0.25f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 20);
  loadedAndMultiplied();
  depthRange();
  clipped();
  readBack();
  glColor3f(1, 1, 1);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "transforms", display);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  glutMainLoop();
}

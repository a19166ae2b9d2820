// Calls GL refuses change nothing but its error: each is made where the
// frame would show an effect, and an error other than GL's is said. Among
// them, pushes past the matrix stack's depth of 32, calls between glBegin
// and glEnd that only vertices may come between, and values out of range.
// Turning off what is off, and the back material, are no errors at all.

#include <GL/glut.h>

#include <cstdio>

#include "window.h"

namespace {

void expect(GLenum error, const char* what) {
  const GLenum got = glGetError();
  if (got != error) std::printf("%s gave 0x%04X, not 0x%04X\n", what, got, error);
}

void square(float x, float y, float size) {
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glVertex3f(x, y, 0);
  glVertex3f(x + size, y, 0);
  glVertex3f(x + size, y + size, 0);
  glVertex3f(x, y + size, 0);
  glEnd();
}

// A square of quad strips, fine enough for the light, which is worked out
// at each corner, to show its spot.
void tiledSquare(float x, float y, float size) {
  constexpr int tiles = 16;
  const float step = size / tiles;
  glNormal3f(0, 0, 1);
  for (int row = 0; row < tiles; ++row) {
    glBegin(GL_QUAD_STRIP);
    for (int column = 0; column <= tiles; ++column) {
      glVertex3f(x + column * step, y + row * step, 0);
      glVertex3f(x + column * step, y + (row + 1) * step, 0);
    }
    glEnd();
  }
}

// Pushes until the stack is full, each with a step to the right: the
// 31st fills it, as it holds 32, and the 32nd is refused. Then forty
// pops: the stack holds one matrix at the least, so they come back to
// where the first push began.
void pastTheStack() {
  for (int i = 0; i < 31; ++i) {
    glPushMatrix();
    glTranslatef(0.05f, 0, 0);
  }
  expect(GL_NO_ERROR, "31 pushes");
  glPushMatrix();
  expect(GL_STACK_OVERFLOW, "the 32nd push");
  for (int i = 0; i < 40; ++i) glPopMatrix();
  expect(GL_STACK_UNDERFLOW, "40 pops");
  // The projection stack holds 32 too, the texture stack 10.
  glMatrixMode(GL_TEXTURE);
  for (int i = 0; i < 9; ++i) glPushMatrix();
  expect(GL_NO_ERROR, "9 pushes of the texture matrix");
  glPushMatrix();
  expect(GL_STACK_OVERFLOW, "the 10th push of the texture matrix");
  for (int i = 0; i < 9; ++i) glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glColor3f(0.9f, 0.3f, 0.2f);
  square(-1.9f, 0.2f, 0.8f);
}

// glEnable between glBegin and glEnd is refused: the square and the next
// one are drawn unlit.
void enableInsideAPair() {
  glBegin(GL_TRIANGLES);
  glColor3f(0.2f, 0.8f, 0.3f);
  glEnable(GL_LIGHTING);
  glVertex3f(-0.9f, 0.2f, 0);
  glVertex3f(-0.1f, 0.2f, 0);
  glVertex3f(-0.5f, 1.0f, 0);
  glFrustum(-1, 1, -1, 1, 0, 6);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 300);
  glEnd();
  expect(GL_INVALID_OPERATION, "glEnable between glBegin and glEnd");
  // A glMaterial between glBegin and glEnd is GL's to take: its values are
  // checked, not its place.
  glBegin(GL_TRIANGLES);
  glMaterialf(GL_FRONT, GL_SHININESS, 200);
  glEnd();
  expect(GL_INVALID_VALUE, "a shininess of 200 between glBegin and glEnd");

  glColor3f(0.2f, 0.4f, 0.9f);
  square(-1.9f, 1.1f, 0.8f);
}

// A spot exponent and a shininess past 128 are refused: the spot stays a
// disc of even light and the highlight as broad as it was.
void litPastTheRange() {
  const float grey[] = {0.4f, 0.4f, 0.4f, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, grey);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 10);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 200);
  expect(GL_INVALID_VALUE, "shininess 200");
  const float black[] = {0, 0, 0, 1};
  glMaterialfv(GL_BACK, GL_DIFFUSE, black);
  const float place[] = {1.05f, 1.05f, 0.8f, 1};
  const float down[] = {0, 0, -1};
  glLightfv(GL_LIGHT0, GL_POSITION, place);
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, down);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 45);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 300);
  expect(GL_INVALID_VALUE, "spot exponent 300");
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  tiledSquare(0.2f, 0.2f, 1.7f);
  glDisable(GL_LIGHTING);
}

void refusedOutright() {
  glBegin(0x1234);
  expect(GL_INVALID_ENUM, "glBegin(0x1234)");
  glEnd();
  expect(GL_INVALID_OPERATION, "glEnd without glBegin");
  glViewport(0, 0, -5, 10);
  expect(GL_INVALID_VALUE, "a viewport -5 wide");
  glDepthFunc(0x1234);
  expect(GL_INVALID_ENUM, "glDepthFunc(0x1234)");
  glClear(0x8);
  expect(GL_INVALID_VALUE, "glClear(0x8)");
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHT3);
  expect(GL_NO_ERROR, "turning off what is off");
  // Values GL does not know are the program's errors: the drawing goes on.
  glEnable(0x1234);
  expect(GL_INVALID_ENUM, "glEnable(0x1234)");
  const float grey[] = {0.5f, 0.5f, 0.5f, 1};
  glLightfv(GL_LIGHT0, 0x1234, grey);
  expect(GL_INVALID_ENUM, "glLightfv of 0x1234");
  glLightfv(GL_LIGHT0 + 8, GL_DIFFUSE, grey);
  expect(GL_INVALID_ENUM, "glLightfv of a ninth light");
  glMatrixMode(0x1234);
  expect(GL_INVALID_ENUM, "glMatrixMode(0x1234)");
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, 0x1234);
  expect(GL_INVALID_ENUM, "a minifying filter of 0x1234");
  glShadeModel(0x1234);
  expect(GL_INVALID_ENUM, "glShadeModel(0x1234)");
  glHint(0x1234, GL_NICEST);
  expect(GL_INVALID_ENUM, "glHint(0x1234)");
  glDrawBuffer(GL_AUX0);
  expect(GL_INVALID_OPERATION, "drawing into an auxiliary buffer the window has not");
  glAccum(GL_ACCUM, 1);
  expect(GL_INVALID_OPERATION, "glAccum without an accumulation buffer");
  static const GLdouble plane[] = {1, 0, 0, 0};
  glClipPlane(GL_CLIP_PLANE0 + 8, plane);
  expect(GL_INVALID_ENUM, "a ninth clip plane");
  glPointSize(0);
  expect(GL_INVALID_VALUE, "a point size of 0");
  glColor3f(0.8f, 0.8f, 0.2f);
  square(-1.9f, -1.9f, 1.7f);
}

void display() {
  glClearColor(0.15f, 0.15f, 0.15f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 0, 6);
  expect(GL_INVALID_VALUE, "glFrustum with near 0");
  glFrustum(-1, 1, -1, 1, 2, 6);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -4);
  pastTheStack();
  enableInsideAPair();
  litPastTheRange();
  refusedOutright();
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "refusals", display);
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

// Every way GL 1.1 takes a vertex, a colour and a normal: each form of
// glVertex, glColor and glNormal, rectangles, and client arrays of every
// type and stride, read by glDrawArrays, glDrawElements with each type of
// index, glArrayElement and glInterleavedArrays. Drawn on a grid of
// sixteen units by sixteen, one unit sixteen pixels, every edge on a
// pixel's edge.

#include <GL/glut.h>

#include <cstdio>

#include "window.h"

namespace {

// A square of one unit with its lower left corner at (x, y), in the
// colour current.
void square(int x, int y) {
  glBegin(GL_QUADS);
  glVertex2i(x, y);
  glVertex2i(x + 1, y);
  glVertex2i(x + 1, y + 1);
  glVertex2i(x, y + 1);
  glEnd();
}

// Row 15: every type of glColor, each a square.
void colours() {
  int x = 0;
  glColor3b(100, 20, 60);
  square(x++, 15);
  glColor4b(20, 100, 60, 127);
  square(x++, 15);
  glColor3ub(250, 128, 0);
  square(x++, 15);
  glColor4ub(10, 200, 240, 255);
  square(x++, 15);
  glColor3s(30000, 5000, 15000);
  square(x++, 15);
  glColor3us(10000, 60000, 30000);
  square(x++, 15);
  glColor3i(2000000000, 100000000, 900000000);
  square(x++, 15);
  glColor3ui(400000000u, 4000000000u, 2500000000u);
  square(x++, 15);
  glColor3d(0.3, 0.6, 0.9);
  square(x++, 15);
  glColor4d(0.9, 0.7, 0.1, 1.0);
  square(x++, 15);
  const GLubyte ub[] = {200, 50, 150};
  glColor3ubv(ub);
  square(x++, 15);
  const GLfloat f[] = {0.1f, 0.9f, 0.5f, 1};
  glColor4fv(f);
  square(x++, 15);
  const GLushort us[] = {65535, 32768, 0, 65535};
  glColor4usv(us);
  square(x++, 15);
  const GLdouble d[] = {0.75, 0.25, 0.5};
  glColor3dv(d);
  square(x++, 15);
  const GLint i[] = {1073741824, 2147483647, 0};
  glColor3iv(i);
  square(x++, 15);
  const GLshort s[] = {16384, 0, 32767};
  glColor3sv(s);
  square(x++, 15);
}

// Row 13: every form of glVertex, each a triangle of its own colour; the
// last two have a w of 2, which halves them toward the origin of their
// cell.
void vertexForms() {
  glColor3f(0.9f, 0.3f, 0.3f);
  glBegin(GL_TRIANGLES);
  glVertex2s(0, 13);
  glVertex2d(1.0, 13.0);
  glVertex2f(0.5f, 14.0f);
  glEnd();
  glColor3f(0.3f, 0.9f, 0.3f);
  glBegin(GL_TRIANGLES);
  glVertex3i(1, 13, 0);
  glVertex3s(2, 13, 0);
  glVertex3d(1.5, 14.0, 0.0);
  glEnd();
  glColor3f(0.3f, 0.3f, 0.9f);
  const GLint vi[] = {2, 13, 0};
  const GLshort vs[] = {3, 13, 0};
  const GLdouble vd[] = {2.5, 14, 0};
  glBegin(GL_TRIANGLES);
  glVertex3iv(vi);
  glVertex3sv(vs);
  glVertex3dv(vd);
  glEnd();
  glColor3f(0.9f, 0.9f, 0.3f);
  glBegin(GL_QUADS);
  glVertex4f(6, 26, 0, 2);
  glVertex4i(8, 26, 0, 2);
  glVertex4d(8, 28, 0, 2);
  const GLshort w[] = {6, 28, 0, 2};
  glVertex4sv(w);
  glEnd();
  const GLfloat v2[] = {5, 13};
  const GLdouble v2d[] = {6, 13};
  const GLint v2i[] = {5, 14};
  glColor3f(0.3f, 0.9f, 0.9f);
  glBegin(GL_TRIANGLES);
  glVertex2fv(v2);
  glVertex2dv(v2d);
  glVertex2iv(v2i);
  glEnd();
}

// Row 11: rectangles of every type.
void rectangles() {
  glColor3f(0.8f, 0.4f, 0.1f);
  glRecti(0, 11, 2, 12);
  glColor3f(0.1f, 0.4f, 0.8f);
  glRectf(3.0f, 11.0f, 4.0f, 12.0f);
  glColor3f(0.4f, 0.8f, 0.1f);
  glRectd(6.0, 12.0, 5.0, 11.0);  // corners given the other way round
  const GLshort a[] = {7, 11}, b[] = {9, 12};
  glColor3f(0.7f, 0.2f, 0.7f);
  glRectsv(a, b);
}

// Row 9: lit squares whose normals are given as bytes, shorts, ints and
// doubles, leaning left, right, up and down.
void normalForms() {
  glEnable(GL_LIGHTING);
  glNormal3b(-60, 0, 100);
  square(0, 9);
  glNormal3s(20000, 0, 25000);
  square(1, 9);
  glNormal3i(0, 1000000000, 1500000000);
  square(2, 9);
  glNormal3d(0, -0.6, 0.8);
  square(3, 9);
  const GLbyte nb[] = {0, 0, 127};
  glNormal3bv(nb);
  square(4, 9);
  glDisable(GL_LIGHTING);
}

// Rows 7 and 5: client arrays of each type, strides between elements,
// colour arrays of bytes and floats, and each kind of index.
struct Packed {
  GLshort x, y;
  GLubyte r, g, b, a;
};

void arrays() {
  static const Packed packed[] = {{0, 7, 255, 0, 0, 255},
                                  {2, 7, 0, 255, 0, 255},
                                  {2, 8, 0, 0, 255, 255},
                                  {0, 8, 255, 255, 255, 255}};
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_SHORT, sizeof(Packed), &packed[0].x);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Packed), &packed[0].r);
  glDrawArrays(GL_QUADS, 0, 4);

  static const GLint ints[] = {3, 7, 5, 7, 5, 8, 3, 8};
  static const GLfloat floatColours[] = {1, 1, 0, 0, 1, 1, 1, 0, 1, 0.5f, 0.5f, 0.5f};
  glVertexPointer(2, GL_INT, 0, ints);
  glColorPointer(3, GL_FLOAT, 0, floatColours);
  const GLubyte byIndex[] = {0, 1, 2, 0, 2, 3};
  glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_BYTE, byIndex);

  static const GLdouble doubles[] = {6, 7, 0, 8, 7, 0, 8, 8, 0, 6, 8, 0};
  static const GLshort shortColours[] = {32767, 0, 0, 0, 32767, 0, 0, 0, 32767, 32767, 32767, 0};
  glVertexPointer(3, GL_DOUBLE, 0, doubles);
  glColorPointer(3, GL_SHORT, 0, shortColours);
  const GLushort byShort[] = {3, 2, 1, 0};
  glDrawElements(GL_QUADS, 4, GL_UNSIGNED_SHORT, byShort);

  // The same vertices through 32-bit indices, as a fan, and element by
  // element between glBegin and glEnd.
  glPushMatrix();
  glTranslatef(3, 0, 0);
  const GLuint byInt[] = {1, 2, 3, 0};
  glDrawElements(GL_TRIANGLE_FAN, 4, GL_UNSIGNED_INT, byInt);
  glTranslatef(3, 0, 0);
  glBegin(GL_QUADS);
  for (GLint i = 0; i < 4; ++i) glArrayElement(i);
  glEnd();
  glPopMatrix();
  glDisableClientState(GL_COLOR_ARRAY);

  // Row 5: interleaved arrays, colours of bytes and of floats.
  struct ByteColoured {
    GLubyte c[4];
    GLfloat v[3];
  };
  static const ByteColoured c4ub[] = {{{255, 128, 0, 255}, {0, 5, 0}},
                                      {{0, 128, 255, 255}, {2, 5, 0}},
                                      {{128, 255, 0, 255}, {1, 6, 0}}};
  glInterleavedArrays(GL_C4UB_V3F, 0, c4ub);
  glDrawArrays(GL_TRIANGLES, 0, 3);
  static const GLfloat c3f[] = {1, 0, 1, 3, 5, 0, 0, 1, 1, 5, 5, 0, 1, 1, 0, 4, 6, 0};
  glInterleavedArrays(GL_C3F_V3F, 0, c3f);
  glDrawArrays(GL_TRIANGLES, 0, 3);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glColor3f(1, 1, 1);
}

void display() {
  glClearColor(0.15f, 0.15f, 0.15f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 16, 0, 16, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  colours();
  vertexForms();
  rectangles();
  normalForms();
  arrays();
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "vertices", display);
  glEnable(GL_LIGHT0);
  glutMainLoop();
}

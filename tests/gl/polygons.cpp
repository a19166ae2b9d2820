// Polygons as GL 1.1 draws them, cell by cell in a grid of four by three:
// the polygon modes of each face, lines and points, lit on two sides, with
// edge flags and culling; the polygon stipple, its pattern not the same
// upside down, which lines and points do not take; the
// polygon offset, of fills under coplanar lines and of lines; and flat
// shading of each kind of polygon by GL's provoking vertex.

#include <GL/glut.h>

#include <cmath>

#include "window.h"

namespace {

void at(int column, int row) {
  glLoadIdentity();
  glTranslatef(-3.0f + 2.0f * float(column), 2.6f - 2.6f * float(row), -10.0f);
}

// A hexagon of six colours, counter-clockwise.
void hexagon(GLenum mode) {
  glBegin(mode);
  for (int i = 0; i < 6; ++i) {
    glColor3f(i % 3 == 0 ? 1.0f : 0.2f, i % 3 == 1 ? 1.0f : 0.2f, i % 3 == 2 ? 1.0f : 0.2f);
    const float angle = 1.0472f * float(i) + 0.3f;
    glVertex2f(0.85f * std::cos(angle), 0.85f * std::sin(angle));
  }
  glEnd();
}

// Two quads side by side, the left facing the viewer, the right away.
void twoFaces() {
  glBegin(GL_QUADS);
  glColor3f(0.9f, 0.7f, 0.2f);
  glVertex2f(-0.9f, -0.8f);
  glVertex2f(-0.1f, -0.8f);
  glVertex2f(-0.1f, 0.8f);
  glVertex2f(-0.9f, 0.8f);
  glColor3f(0.2f, 0.7f, 0.9f);
  glVertex2f(0.1f, -0.8f);
  glVertex2f(0.1f, 0.8f);
  glVertex2f(0.9f, 0.8f);
  glVertex2f(0.9f, -0.8f);
  glEnd();
}

void modes() {
  // The front filled, the back as lines, lit on both sides: each face
  // takes its own material's colour.
  at(0, 0);
  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_LINE);
  const float white[] = {1, 1, 1, 1}, front[] = {0.9f, 0.7f, 0.2f, 1},
              back[] = {0.2f, 0.7f, 0.9f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  glMaterialfv(GL_FRONT, GL_AMBIENT, front);
  glMaterialfv(GL_BACK, GL_AMBIENT, back);
  glEnable(GL_LIGHTING);
  twoFaces();
  glDisable(GL_LIGHTING);
  // Both as lines two pixels wide, and as points three pixels wide.
  at(1, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glLineWidth(2);
  hexagon(GL_POLYGON);
  glLineWidth(1);
  at(2, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
  glPointSize(3);
  hexagon(GL_TRIANGLE_FAN);
  glPointSize(1);
  // Lines with the edges between quads flagged off, and the back culled.
  at(3, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glEnable(GL_CULL_FACE);
  glBegin(GL_QUADS);
  glColor3f(0.9f, 0.9f, 0.9f);
  glEdgeFlag(GL_TRUE);
  glVertex2f(-0.9f, -0.8f);
  glEdgeFlag(GL_FALSE);
  glVertex2f(0, -0.8f);
  glEdgeFlag(GL_TRUE);
  glVertex2f(0, 0.8f);
  glVertex2f(-0.9f, 0.8f);
  glVertex2f(0, -0.8f);
  glVertex2f(0.9f, -0.8f);
  glVertex2f(0.9f, 0.8f);
  glEdgeFlag(GL_FALSE);
  glVertex2f(0, 0.8f);
  glEdgeFlag(GL_TRUE);
  glEnd();
  twoFaces();
  // Culling every face leaves lines and points.
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glCullFace(GL_FRONT_AND_BACK);
  glColor3f(0.9f, 0.4f, 0.6f);
  glLineWidth(3);
  glBegin(GL_LINES);
  glVertex2f(-0.8f, -0.5f);
  glVertex2f(0.8f, -0.3f);
  glEnd();
  glLineWidth(1);
  glPointSize(4);
  glBegin(GL_POINTS);
  glVertex2f(0.5f, 0.3f);
  glEnd();
  glPointSize(1);
  glCullFace(GL_BACK);
  glDisable(GL_CULL_FACE);
}

// A pattern of stripes and a letter, not the same upside down.
void stipple() {
  GLubyte pattern[128];
  for (int row = 0; row < 32; ++row) {
    for (int byte = 0; byte < 4; ++byte) {
      const bool top = row >= 24;
      pattern[row * 4 + byte] =
          GLubyte(top ? 0xFF : (row % 4 == 0 ? 0xAA : (byte == 0 ? 0xF0 : 0x00)));
    }
  }
  glPolygonStipple(pattern);
  glEnable(GL_POLYGON_STIPPLE);
  at(0, 1);
  glColor3f(0.9f, 0.4f, 0.6f);
  glRectf(-0.9f, -0.9f, 0.9f, 0.9f);
  // Lines and points take no polygon stipple.
  glColor3f(0.9f, 0.9f, 0.3f);
  glBegin(GL_LINE_LOOP);
  glVertex2f(-0.95f, -0.95f);
  glVertex2f(0.95f, -0.95f);
  glVertex2f(0.95f, 0.95f);
  glVertex2f(-0.95f, 0.95f);
  glEnd();
  glPointSize(5);
  glBegin(GL_POINTS);
  glVertex2f(0.3f, -0.3f);
  glEnd();
  glPointSize(1);
  glDisable(GL_POLYGON_STIPPLE);
}

// Fills pushed back by the offset, their outlines drawn after without it:
// the outlines show whole. Then two coplanar squares, the second pulled
// forward.
void offset() {
  at(1, 1);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1, 1);
  glPushMatrix();
  glRotatef(50, 1, 0.3f, 0);
  glColor3f(0.3f, 0.5f, 0.8f);
  hexagon(GL_POLYGON);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3f(1, 1, 1);
  glBegin(GL_POLYGON);
  for (int i = 0; i < 6; ++i) {
    const float angle = 1.0472f * float(i) + 0.3f;
    glVertex2f(0.85f * std::cos(angle), 0.85f * std::sin(angle));
  }
  glEnd();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glPopMatrix();
  at(2, 1);
  glPushMatrix();
  glRotatef(-40, 0.3f, 1, 0);
  glColor3f(0.8f, 0.3f, 0.2f);
  glRectf(-0.8f, -0.8f, 0.5f, 0.5f);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(-1, -2);
  glColor3f(0.3f, 0.8f, 0.3f);
  glRectf(-0.5f, -0.5f, 0.8f, 0.8f);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glPopMatrix();
  // Lines offset: the outline of a square leaning back, in the plane of a
  // larger one, is pulled forward through it by the slope.
  at(3, 1);
  glRotatef(60, 1, 0, 0);
  glColor3f(0.6f, 0.6f, 0.6f);
  glRectf(-0.8f, -0.8f, 0.8f, 0.8f);
  glEnable(GL_POLYGON_OFFSET_LINE);
  glPolygonOffset(-2, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glColor3f(0.9f, 0.9f, 0.2f);
  glBegin(GL_QUADS);
  glVertex3f(-0.6f, -0.6f, 0);
  glVertex3f(0.6f, -0.6f, 0);
  glVertex3f(0.6f, 0.6f, 0);
  glVertex3f(-0.6f, 0.6f, 0);
  glEnd();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDisable(GL_POLYGON_OFFSET_LINE);
}

// Flat shading: a quad takes its fourth vertex's colour, a polygon its
// first's, a strip's and a fan's triangles their third's.
void flat() {
  glShadeModel(GL_FLAT);
  at(0, 2);
  glBegin(GL_QUADS);
  const float corners[4][2] = {{-0.8f, -0.8f}, {0.8f, -0.8f}, {0.8f, 0.8f}, {-0.8f, 0.8f}};
  for (int i = 0; i < 4; ++i) {
    glColor3f(i == 0 ? 1.0f : 0.2f, i == 1 ? 1.0f : 0.2f, i >= 2 ? 1.0f : 0.2f);
    glVertex2fv(corners[i]);
  }
  glEnd();
  at(1, 2);
  hexagon(GL_POLYGON);
  at(2, 2);
  hexagon(GL_TRIANGLE_FAN);
  at(3, 2);
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 6; ++i) {
    glColor3f(float(i) / 5, 1 - float(i) / 5, float(i % 2));
    glVertex2f(-0.9f + 0.6f * float(i / 2), i % 2 == 0 ? -0.8f : 0.8f);
  }
  glEnd();
  glShadeModel(GL_SMOOTH);
}

void display() {
  glClearColor(0.12f, 0.12f, 0.15f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2.5, 20);
  glMatrixMode(GL_MODELVIEW);
  modes();
  stipple();
  offset();
  flat();
  glColor3f(1, 1, 1);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "polygons", display);
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

// Points and lines as GL 1.1 draws them: points of several sizes, lines,
// strips and loops at widths from one to seven, steep and shallow, at
// ends on and between pixel centres; lines stippled by a pattern and a
// factor, through strips and loops; lines and points shaded flat and
// smooth.

#include <GL/glut.h>

#include <cmath>

#include "window.h"

namespace {

// Points of sizes one to six in a row, at centres and between them.
void points() {
  for (int size = 1; size <= 6; ++size) {
    glPointSize(float(size));
    glBegin(GL_POINTS);
    glColor3f(0.9f, 0.9f, 0.3f);
    glVertex2f(12.5f + 18.0f * float(size), 240.5f);
    glColor3f(0.3f, 0.9f, 0.9f);
    glVertex2f(12.2f + 18.0f * float(size), 226.7f);
    glEnd();
  }
  glPointSize(1);
}

// A fan of lines from one point at widths one to seven, each a colour of
// its own from end to end.
void fan() {
  for (int i = 0; i < 7; ++i) {
    const float angle = 0.15f + 0.22f * float(i);
    glLineWidth(float(i + 1));
    glBegin(GL_LINES);
    glColor3f(0.9f, 0.3f, 0.2f);
    glVertex2f(20.3f, 130.4f);
    glColor3f(0.2f, 0.5f, 0.9f);
    glVertex2f(20.3f + 80.0f * std::cos(angle), 130.4f + 80.0f * std::sin(angle));
    glEnd();
  }
  glLineWidth(1);
}

// A strip and a loop, the loop shaded flat: each segment takes its second
// vertex's colour, the closing one its first's.
void stripAndLoop() {
  glLineWidth(2);
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i < 6; ++i) {
    glColor3f(float(i % 2), 0.5f, float(i) / 5);
    glVertex2f(130.0f + 22.0f * float(i), 200.0f + float(i % 2) * 25.0f);
  }
  glEnd();
  glLineWidth(1);
  glShadeModel(GL_FLAT);
  glBegin(GL_LINE_LOOP);
  glColor3f(1, 0.3f, 0.3f);
  glVertex2f(140.5f, 130.5f);
  glColor3f(0.3f, 1, 0.3f);
  glVertex2f(230.5f, 140.5f);
  glColor3f(0.3f, 0.3f, 1);
  glVertex2f(190.5f, 185.5f);
  glEnd();
  glShadeModel(GL_SMOOTH);
}

// Stippled lines: a pattern of dashes, the same at a factor of three, and
// a strip whose pattern goes on across its segments, at a width of three.
void stippled() {
  glEnable(GL_LINE_STIPPLE);
  glColor3f(0.9f, 0.9f, 0.9f);
  glLineStipple(1, 0x0F3F);
  glBegin(GL_LINES);
  glVertex2f(10.5f, 90.5f);
  glVertex2f(245.5f, 95.5f);
  glEnd();
  glLineStipple(3, 0x0F3F);
  glBegin(GL_LINES);
  glVertex2f(10.5f, 75.5f);
  glVertex2f(245.5f, 70.5f);
  glEnd();
  glLineStipple(2, 0x3333);
  glLineWidth(3);
  glColor3f(0.9f, 0.6f, 0.2f);
  glBegin(GL_LINE_STRIP);
  glVertex2f(10.5f, 20.5f);
  glVertex2f(80.5f, 55.5f);
  glVertex2f(140.5f, 25.5f);
  glVertex2f(240.5f, 50.5f);
  glEnd();
  glLineWidth(1);
  glDisable(GL_LINE_STIPPLE);
}

void display() {
  glClearColor(0.1f, 0.1f, 0.12f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowSize, 0, windowSize, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  points();
  fan();
  stripAndLoop();
  stippled();
  glColor3f(1, 1, 1);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "lines", display);
  glutMainLoop();
}

// Data written in place between draws: client arrays of vertices, texture
// coordinates and indices that keep their addresses and sizes, read afresh
// at every draw, even two draws of one frame; a texture given a new image
// of the same size from the same memory; GLUT's spheres, one of which
// changes its size; and lit strips whose materials change places. A key
// (other than ESC) moves on to the other of two sets of data; two bring
// the first back.

#include <GL/glut.h>

#include <cmath>

#include "window.h"

namespace {

constexpr int bandVertices = 8;
GLfloat positions[bandVertices][3];
GLfloat texCoords[bandVertices][2];
GLushort band[bandVertices];
GLuint triangles[6];
GLubyte quad[4];
unsigned char texels[4 * 4 * 3];
GLuint texture = 0;
int step = 0;

// A band of four quads across the window, its upper edge bent by `bend`.
void fillBand(float bend, bool reversed) {
  for (int i = 0; i < bandVertices; ++i) {
    const float x = -1.8f + 3.6f * static_cast<float>(i / 2) / 3;
    const float y = (i % 2 == 0) ? 1.0f : 1.8f + bend * std::sin(x);
    positions[i][0] = x;
    positions[i][1] = y;
    positions[i][2] = 0;
    texCoords[i][0] = static_cast<float>(i / 2) * (bend != 0 ? 0.5f : 0.3f);
    texCoords[i][1] = static_cast<float>(i % 2);
    band[i] = static_cast<GLushort>(reversed ? bandVertices - 1 - i : i);
  }
}

// The data of step 0 or 1, written over the old.
void fill(int which) {
  fillBand(which == 0 ? 0.0f : 0.3f, which == 1);
  const GLuint lower[2][6] = {{0, 1, 2, 2, 1, 3}, {4, 5, 6, 6, 5, 7}};
  for (int i = 0; i < 6; ++i) triangles[i] = lower[which][i];
  // The same vertices in both steps, so that the frame keeps its layout
  // and only their values change.
  const GLubyte corners[2][4] = {{2, 3, 5, 4}, {3, 5, 4, 2}};
  for (int i = 0; i < 4; ++i) quad[i] = corners[which][i];
  for (int i = 0; i < 16; ++i) {
    const bool dark = (i % 4 + i / 4 + which) % 2 == 0;
    texels[i * 3] = dark ? 70 : 190;
    texels[i * 3 + 1] = static_cast<unsigned char>(which == 0 ? 120 : 60 + 8 * i);
    texels[i * 3 + 2] = dark ? 170 : 90;
  }
}

// The band drawn twice from the same arrays, moved down in place between
// the two draws and back after them.
void bandTwice() {
  glDrawElements(GL_TRIANGLE_STRIP, bandVertices, GL_UNSIGNED_SHORT, band);
  for (auto& p : positions) p[1] -= 1.2f;
  glDrawElements(GL_TRIANGLE_STRIP, bandVertices, GL_UNSIGNED_SHORT, band);
  for (auto& p : positions) p[1] += 1.2f;
}

// Below the band: the same vertices moved further down, drawn by 32-bit
// and 8-bit indices, the latter as a quad.
void lowerShapes() {
  for (auto& p : positions) p[1] -= 2.6f;
  glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, triangles);
  glPushMatrix();
  glTranslatef(1.2f, 0, 0);
  glDrawElements(GL_QUADS, 4, GL_UNSIGNED_BYTE, quad);
  glPopMatrix();
  for (auto& p : positions) p[1] += 2.6f;
}

// Immediate mode, its corners' colours turning with the step.
void colouredQuad() {
  const float colours[4][3] = {{1, 0.2f, 0.2f}, {0.2f, 1, 0.2f}, {0.2f, 0.2f, 1}, {1, 1, 1}};
  const float corners[4][2] = {{-1.8f, -1.95f}, {1.8f, -1.95f}, {1.8f, -1.7f}, {-1.8f, -1.7f}};
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    const float* c = colours[(i + step) % 4];
    glColor3f(c[0], c[1], c[2]);
    glVertex3f(corners[i][0], corners[i][1], 0);
  }
  glEnd();
  glColor3f(1, 1, 1);
}

// Two spheres of GLUT's, drawn unlit as discs: the right one keeps its
// size, the left one changes it with the step.
void spheres() {
  glColor3f(0.9f, 0.8f, 0.3f);
  glPushMatrix();
  glTranslatef(-0.5f, 0.6f, 0);
  glutSolidSphere(step == 0 ? 0.25 : 0.4, 24, 16);
  glTranslatef(1.0f, 0, 0);
  glutSolidSphere(0.3, 24, 16);
  glPopMatrix();
  glColor3f(1, 1, 1);
}

// Three lit strips of 80 vertices, drawn with one state, whose materials
// turn with the step: red, green, red, then red, red, green. The frame
// keeps its layout and the material each vertex is lit with changes in
// place.
void litStrips() {
  const float red[4] = {0.9f, 0.2f, 0.2f, 1}, green[4] = {0.2f, 0.9f, 0.2f, 1};
  const float* materials[2][3] = {{red, green, red}, {red, red, green}};
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glNormal3f(0, 0, 1);
  for (int k = 0; k < 3; ++k) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, materials[step][k]);
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 80; ++i) {
      const float x = -1.8f + 0.6f * static_cast<float>(k) + 0.55f * static_cast<float>(i / 2) / 39;
      glVertex3f(x, i % 2 == 0 ? 1.84f : 1.97f, 0);
    }
    glEnd();
  }
  glDisable(GL_LIGHTING);
}

void display() {
  startFrame(0.25f);
  // Named again each frame, the same arrays, since GLUT's shapes leave the
  // arrays off and pointing at their own.
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, positions);
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords);
  glEnable(GL_TEXTURE_2D);
  bandTwice();
  lowerShapes();
  glDisable(GL_TEXTURE_2D);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  spheres();
  colouredQuad();
  litStrips();
  sayErrors("in a frame");
  glutSwapBuffers();
}

void uploadTexels() {
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
}

void nextStep(unsigned char) {
  step = (step + 1) % 2;
  fill(step);
  uploadTexels();
  glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "changing", display, nextStep);
  fill(0);
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  uploadTexels();
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

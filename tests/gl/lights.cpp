// Lighting as GL 1.1 has it, a lit shape in each cell of a grid of four by
// three: lights at infinity and in place, coloured, attenuated, spots,
// all eight at once; the light model's ambient, local viewer and two
// sides with a back material; colour material in each of its modes;
// materials changed between glBegin and glEnd; flat shading; normals
// rescaled.

#include <GL/glut.h>

#include "window.h"

namespace {

const float black[] = {0, 0, 0, 1};
const float white[] = {1, 1, 1, 1};

void at(int column, int row) {
  glLoadIdentity();
  glTranslatef(-3.0f + 2.0f * float(column), 2.6f - 2.6f * float(row), -10.0f);
}

void lightAt(GLenum light, float x, float y, float z, float w, const float* colour) {
  const float position[] = {x, y, z, w};
  glLightfv(light, GL_POSITION, position);
  glLightfv(light, GL_DIFFUSE, colour);
  glLightfv(light, GL_SPECULAR, colour);
  glEnable(light);
}

void allOff() {
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

void material(const float* ambientAndDiffuse, const float* specular, float shininess) {
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, ambientAndDiffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
}

void sphere() {
  glutSolidSphere(0.85, 24, 16);
}

// A square of four quads, its corners' colours given, facing the viewer.
void colouredSquare() {
  const float colours[3][3] = {{0.9f, 0.2f, 0.2f}, {0.2f, 0.9f, 0.2f}, {0.2f, 0.2f, 0.9f}};
  glNormal3f(0, 0, 1);
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 3; ++i) {
    glColor3fv(colours[i]);
    glVertex3f(-0.8f + 0.8f * float(i), -0.8f, 0);
    glVertex3f(-0.8f + 0.8f * float(i), 0.8f, 0);
  }
  glEnd();
}

void row0() {
  const float grey[] = {0.6f, 0.6f, 0.6f, 1};
  const float red[] = {0.9f, 0.2f, 0.1f, 1};
  const float blue[] = {0.2f, 0.3f, 0.9f, 1};
  // Two lights at infinity, red from the left, blue from above.
  at(0, 0);
  allOff();
  material(grey, white, 40);
  lightAt(GL_LIGHT1, -1, 0.2f, 0.6f, 0, red);
  lightAt(GL_LIGHT4, 0, 1, 0.5f, 0, blue);
  sphere();
  // A light in place near the sphere, fading with distance.
  at(1, 0);
  allOff();
  glPushMatrix();
  lightAt(GL_LIGHT2, 0.9f, 0.9f, 1.4f, 1, white);
  glLightf(GL_LIGHT2, GL_CONSTANT_ATTENUATION, 0.3f);
  glLightf(GL_LIGHT2, GL_LINEAR_ATTENUATION, 0.4f);
  glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, 0.2f);
  glPopMatrix();
  sphere();
  // A spot with an exponent, shining from the upper left.
  at(2, 0);
  allOff();
  lightAt(GL_LIGHT3, -0.8f, 0.8f, 2.0f, 1, white);
  const float toward[] = {0.4f, -0.4f, -1};
  glLightfv(GL_LIGHT3, GL_SPOT_DIRECTION, toward);
  glLightf(GL_LIGHT3, GL_SPOT_CUTOFF, 25);
  glLightf(GL_LIGHT3, GL_SPOT_EXPONENT, 8);
  sphere();
  // All eight lights at once, each its own colour and direction.
  at(3, 0);
  allOff();
  for (int i = 0; i < 8; ++i) {
    const float colour[] = {0.25f * float(i % 2), 0.25f * float(i / 2 % 2), 0.25f * float(i / 4),
                            1};
    const float angle = 0.785f * float(i);
    lightAt(GL_LIGHT0 + i, float(i % 3) - 1.0f, float(i % 4) * 0.5f - 0.7f, 1.0f, angle > 3 ? 0 : 1,
            colour);
  }
  material(white, white, 20);
  sphere();
}

void row1() {
  const float grey[] = {0.7f, 0.7f, 0.7f, 1};
  allOff();
  lightAt(GL_LIGHT0, 1, 1, 1, 0, white);
  // The light model's ambient, warm.
  at(0, 1);
  const float warm[] = {0.5f, 0.3f, 0.1f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, warm);
  material(grey, white, 30);
  sphere();
  const float neutral[] = {0.2f, 0.2f, 0.2f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, neutral);
  // The viewer in place, not at infinity: the highlight moves.
  at(1, 1);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
  material(grey, white, 12);
  sphere();
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  // Two sides: a quad turned away shows its back material, lit with its
  // normal turned round; with one side it would be dark.
  at(2, 1);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  const float front[] = {0.9f, 0.3f, 0.3f, 1};
  const float back[] = {0.3f, 0.8f, 0.4f, 1};
  glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, front);
  glMaterialfv(GL_BACK, GL_AMBIENT_AND_DIFFUSE, back);
  glPushMatrix();
  glTranslatef(-0.45f, 0, 0);
  glRotatef(-50, 0, 1, 0);
  glNormal3f(0, 0, 1);
  glRectf(-0.4f, -0.8f, 0.4f, 0.8f);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(0.45f, 0, 0);
  glRotatef(130, 0, 1, 0);
  glRectf(-0.4f, -0.8f, 0.4f, 0.8f);
  glPopMatrix();
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  // Materials changed between glBegin and glEnd, one for each triangle.
  at(3, 1);
  glBegin(GL_TRIANGLES);
  glNormal3f(0, 0, 1);
  const float colours[3][4] = {{0.9f, 0.8f, 0.1f, 1}, {0.1f, 0.8f, 0.9f, 1}, {0.8f, 0.1f, 0.9f, 1}};
  for (int i = 0; i < 3; ++i) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, colours[i]);
    const float x = -0.8f + 0.55f * float(i);
    glVertex3f(x, -0.7f, 0);
    glVertex3f(x + 0.5f, -0.7f, 0);
    glVertex3f(x + 0.25f, 0.7f, 0);
  }
  glEnd();
}

void row2() {
  const float grey[] = {0.7f, 0.7f, 0.7f, 1};
  material(grey, white, 30);
  // The mode before the switch: turned on, colour material sets what its
  // mode names from the current colour, and the last frame left it on the
  // specular.
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  // Colour material for ambient and diffuse, then for the front's emission
  // and its specular.
  at(0, 2);
  colouredSquare();
  at(1, 2);
  glColorMaterial(GL_FRONT, GL_EMISSION);
  glPushMatrix();
  glScalef(0.5f, 0.5f, 1);
  colouredSquare();
  glPopMatrix();
  glColorMaterial(GL_FRONT, GL_SPECULAR);
  glTranslatef(0, 0.6f, 0);
  glColor3f(0.2f, 0.9f, 0.3f);
  glutSolidSphere(0.35, 16, 12);
  glDisable(GL_COLOR_MATERIAL);
  material(grey, white, 30);
  // Flat shading: each face of the sphere one colour, lit where its last
  // vertex is.
  at(2, 2);
  glShadeModel(GL_FLAT);
  sphere();
  glShadeModel(GL_SMOOTH);
  // Normals rescaled under a uniform scale: as bright as at full size.
  at(3, 2);
  glDisable(GL_NORMALIZE);
  glEnable(GL_RESCALE_NORMAL);
  glScalef(0.6f, 0.6f, 0.6f);
  glutSolidSphere(1.4, 24, 16);
  glDisable(GL_RESCALE_NORMAL);
  glEnable(GL_NORMALIZE);
}

void display() {
  glClearColor(0.15f, 0.15f, 0.2f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2.5, 20);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_LIGHTING);
  row0();
  row1();
  row2();
  glDisable(GL_LIGHTING);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "lights", display);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glutMainLoop();
}

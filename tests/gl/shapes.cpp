// Every shape GLUT draws, solid and wire, in a grid: solids lit, each row
// of them in a material of its own, wires in a plain colour beside them,
// every shape turned so that its faces and edges show.

#include <GL/freeglut.h>

#include "window.h"

namespace {

constexpr int columns = 6, rows = 5;

void cell(int index) {
  const float width = 2.0f / columns, height = 2.0f / rows;
  glLoadIdentity();
  glTranslatef(-1 + width * (float(index % columns) + 0.5f),
               1 - height * (float(index / columns) + 0.5f), -4);
  glScalef(0.21f, 0.21f, 0.21f);
  glRotatef(30, 1, 0, 0);
  glRotatef(-35, 0, 1, 0);
}

void shape(int which, bool wire) {
  static GLdouble offset[3] = {0, 0, 0};
  switch (which) {
    case 0:
      wire ? glutWireCube(1.3) : glutSolidCube(1.3);
      break;
    case 1:
      wire ? glutWireSphere(0.8, 10, 7) : glutSolidSphere(0.8, 14, 10);
      break;
    case 2:
      wire ? glutWireCone(0.7, 1.4, 9, 3) : glutSolidCone(0.7, 1.4, 12, 3);
      break;
    case 3:
      wire ? glutWireTorus(0.25, 0.65, 8, 12) : glutSolidTorus(0.25, 0.65, 10, 16);
      break;
    case 4:
      glScalef(0.55f, 0.55f, 0.55f);
      wire ? glutWireDodecahedron() : glutSolidDodecahedron();
      break;
    case 5:
      wire ? glutWireOctahedron() : glutSolidOctahedron();
      break;
    case 6:
      wire ? glutWireTetrahedron() : glutSolidTetrahedron();
      break;
    case 7:
      wire ? glutWireIcosahedron() : glutSolidIcosahedron();
      break;
    case 8:
      wire ? glutWireRhombicDodecahedron() : glutSolidRhombicDodecahedron();
      break;
    case 9:
      wire ? glutWireSierpinskiSponge(2, offset, 1) : glutSolidSierpinskiSponge(2, offset, 1);
      break;
    case 10:
      wire ? glutWireCylinder(0.6, 1.2, 9, 2) : glutSolidCylinder(0.6, 1.2, 12, 2);
      break;
    case 11:
      wire ? glutWireTeapot(0.7) : glutSolidTeapot(0.7);
      break;
    case 12:
      wire ? glutWireTeacup(1.2) : glutSolidTeacup(1.2);
      break;
    case 13:
      wire ? glutWireTeaspoon(1.4) : glutSolidTeaspoon(1.4);
      break;
    default:
      break;
  }
}

void material(int which) {
  const GLfloat diffuse[4] = {0.35f + 0.15f * float(which % 4), 0.8f - 0.1f * float(which % 5),
                              0.3f + 0.2f * float(which % 3), 1};
  const GLfloat specular[4] = {0.6f, 0.6f, 0.6f, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20);
}

void display() {
  glClearColor(0.1f, 0.12f, 0.15f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, 2, 6);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  const GLfloat place[4] = {-1, 1.5f, 2, 0};
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, place);
  glEnable(GL_LIGHT0);
  for (int which = 0; which < 14; ++which) {
    glEnable(GL_LIGHTING);
    material(which);
    cell(which * 2);
    shape(which, false);
    glDisable(GL_LIGHTING);
    glColor3f(0.95f, 0.85f - 0.04f * float(which), 0.4f + 0.04f * float(which));
    cell(which * 2 + 1);
    shape(which, true);
  }
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "shapes", display);
  glutMainLoop();
}

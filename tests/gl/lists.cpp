// Display lists as GL keeps them, cell by cell in a grid of four by four:
// vertices that take the values current when the list is called, calls
// kept and not run, GLUT's shapes inside a list of the program's and the
// program's own list names beside GLUT's, a list made again, lists calling
// lists, glCallLists with a base and each kind of name, a list compiled
// and run at once, state changed by a list and left so, deleted ranges, a
// glMaterial between glBegin and glEnd in a list, a list's quads, and a
// draw from arrays after draws of other materials. Each cell is lit from
// in front, or drawn in its colours.

#include <GL/glut.h>

#include <cstdio>

#include "window.h"

namespace {

// Lists the program makes once, by the names it chooses or glGenLists
// gives.
GLuint noNormal = 0, normalKept = 0, withSphere = 0, remade = 0, outer = 0, inner = 0,
       colourLeft = 0, compiledAndRun = 0, deleted = 0, materialInPair = 0, quads = 0;
GLuint letters = 0;  // three lists in a row for glCallLists
int keys = 0;        // the keys pressed; each draws the frame again
GLfloat normalAfterCompile[3];
constexpr GLuint ownName = 1;  // a name the program picks itself

// The centre of cell (column, row), column 0 on the left, row 0 at the
// top, each cell two units of the modelview a side.
void at(int column, int row) {
  glLoadIdentity();
  glTranslatef(-3.0f + 2.0f * float(column), 3.0f - 2.0f * float(row), -8.0f);
  glScalef(2, 2, 2);
}

void square(float size) {
  glBegin(GL_QUADS);
  glVertex3f(-size, -size, 0);
  glVertex3f(size, -size, 0);
  glVertex3f(size, size, 0);
  glVertex3f(-size, size, 0);
  glEnd();
}

void lit(bool on) {
  if (on) {
    glEnable(GL_LIGHTING);
  } else {
    glDisable(GL_LIGHTING);
  }
}

void material(float r, float g, float b) {
  const float colour[] = {r, g, b, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour);
}

void makeLists() {
  // A list the program names itself, before any name is asked for: the
  // names GL gives come after it, and GLUT's shapes take none.
  glNewList(ownName, GL_COMPILE);
  glColor3f(0.2f, 0.5f, 0.9f);
  square(0.2f);
  glEndList();
  // A square without a normal of its own: it is lit with the normal
  // current when it is called.
  noNormal = glGenLists(1);
  glNormal3f(0, 0, 1);
  glNewList(noNormal, GL_COMPILE);
  square(0.4f);
  glEndList();
  // A normal compiled and not run: the current normal stays as it was.
  normalKept = glGenLists(1);
  glNormal3f(0, 0, 1);
  glNewList(normalKept, GL_COMPILE);
  glNormal3f(0, 0, -1);
  glEndList();
  glGetFloatv(GL_CURRENT_NORMAL, normalAfterCompile);
  // A sphere of GLUT's inside a list of the program's.
  withSphere = glGenLists(1);
  glNewList(withSphere, GL_COMPILE);
  glutSolidSphere(0.35, 16, 12);
  glEndList();
  // Made twice under one name: the second one draws.
  remade = glGenLists(1);
  glNewList(remade, GL_COMPILE);
  glColor3f(0.9f, 0.1f, 0.1f);
  glBegin(GL_TRIANGLES);
  glVertex3f(-0.4f, -0.4f, 0);
  glVertex3f(0.4f, -0.4f, 0);
  glVertex3f(0, 0.4f, 0);
  glEnd();
  glEndList();
  glNewList(remade, GL_COMPILE);
  glColor3f(0.1f, 0.8f, 0.2f);
  square(0.3f);
  glEndList();
  // A list that calls another twice, moved between.
  inner = glGenLists(2);
  outer = inner + 1;
  glNewList(inner, GL_COMPILE);
  glColor3f(0.9f, 0.7f, 0.1f);
  square(0.15f);
  glEndList();
  glNewList(outer, GL_COMPILE);
  glTranslatef(-0.2f, -0.2f, 0);
  glCallList(inner);
  glTranslatef(0.4f, 0.4f, 0);
  glCallList(inner);
  glEndList();
  // Three lists in a row, called by names relative to a base.
  letters = glGenLists(3);
  const float colours[3][3] = {{0.9f, 0.2f, 0.6f}, {0.3f, 0.9f, 0.9f}, {0.9f, 0.9f, 0.9f}};
  for (GLuint i = 0; i < 3; ++i) {
    glNewList(letters + i, GL_COMPILE);
    glColor3fv(colours[i]);
    square(0.12f);
    glTranslatef(0.28f, 0, 0);
    glEndList();
  }
  // A colour set by a list stays after it.
  colourLeft = glGenLists(1);
  glNewList(colourLeft, GL_COMPILE);
  glColor3f(0.6f, 0.3f, 0.9f);
  glEndList();
  // Deleted as a range: of three, only the first is left.
  deleted = glGenLists(3);
  for (GLuint i = 0; i < 3; ++i) {
    glNewList(deleted + i, GL_COMPILE);
    glColor3f(0.9f, 0.5f * i, 0.2f);
    glTranslatef(0, -0.25f * i, 0);
    square(0.1f);
    glEndList();
  }
  glDeleteLists(deleted + 1, 2);
  // A glMaterial between glBegin and glEnd, kept with the vertices after it.
  materialInPair = glGenLists(1);
  glNewList(materialInPair, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  glNormal3f(0, 0, 1);
  material(0.9f, 0.2f, 0.2f);
  glVertex3f(-0.4f, -0.4f, 0);
  glVertex3f(0, -0.4f, 0);
  glVertex3f(-0.2f, 0.4f, 0);
  material(0.2f, 0.3f, 0.9f);
  glVertex3f(0, -0.4f, 0);
  glVertex3f(0.4f, -0.4f, 0);
  glVertex3f(0.2f, 0.4f, 0);
  glEnd();
  glEndList();
  // A quad of four colours in a list: its diagonal is the list's.
  quads = glGenLists(1);
  glNewList(quads, GL_COMPILE);
  glBegin(GL_QUADS);
  glColor3f(1, 0, 0);
  glVertex3f(-0.4f, -0.4f, 0);
  glColor3f(0, 0, 0);
  glVertex3f(0.4f, -0.4f, 0);
  glColor3f(1, 1, 1);
  glVertex3f(0.4f, 0.4f, 0);
  glColor3f(0, 0, 1);
  glVertex3f(-0.4f, 0.4f, 0);
  glEnd();
  glEndList();
  sayErrors("making the lists");
}

// A red and a green triangle given between glBegin and glEnd, then a third
// from arrays with the green material current.
void arraysAfterOtherMaterials() {
  static const float triangle[3][3] = {{-0.1f, -0.4f, 0}, {0.4f, -0.4f, 0}, {0.15f, 0.4f, 0}};
  lit(true);
  glNormal3f(0, 0, 1);
  material(0.9f, 0.1f, 0.1f);
  glBegin(GL_TRIANGLES);
  glVertex3f(-0.45f, 0, 0);
  glVertex3f(-0.15f, 0, 0);
  glVertex3f(-0.3f, 0.4f, 0);
  glEnd();
  material(0.1f, 0.9f, 0.1f);
  glBegin(GL_TRIANGLES);
  glVertex3f(-0.45f, -0.4f, 0);
  glVertex3f(-0.15f, -0.4f, 0);
  glVertex3f(-0.3f, -0.05f, 0);
  glEnd();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, triangle);
  glDrawArrays(GL_TRIANGLES, 0, 3);
  glDisableClientState(GL_VERTEX_ARRAY);
  lit(false);
}

void display() {
  glClearColor(0.2f, 0.2f, 0.2f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 12);
  glMatrixMode(GL_MODELVIEW);
  material(0.8f, 0.8f, 0.8f);

  // Row 0: normals at the call; a normal kept, not run; GLUT's sphere in
  // a list; the program's list 1 beside GLUT's shapes.
  at(0, 0);
  lit(true);
  glNormal3f(0, 0.6f, -0.8f);
  glCallList(noNormal);
  at(1, 0);
  glNormal3fv(normalAfterCompile);
  square(0.4f);
  at(2, 0);
  glCallList(withSphere);
  glTranslatef(0.25f, 0.25f, 0.2f);
  glutSolidSphere(0.35, 16, 12);
  lit(false);
  at(3, 0);
  glCallList(ownName);
  glTranslatef(0.2f, -0.2f, 0);
  glutSolidCube(0.2);

  // Row 1: a list made again; lists calling lists; glCallLists.
  at(0, 1);
  glCallList(remade);
  at(1, 1);
  glCallList(outer);
  at(2, 1);
  glTranslatef(-0.28f, 0.15f, 0);
  glListBase(letters);
  const GLubyte bytes[] = {2, 0, 1};
  glCallLists(3, GL_UNSIGNED_BYTE, bytes);
  glLoadIdentity();
  at(2, 1);
  glTranslatef(-0.28f, -0.2f, 0);
  glListBase(letters - 256);
  const GLubyte twoBytes[] = {1, 1, 1, 0};  // 257 and 256
  glCallLists(2, GL_2_BYTES, twoBytes);
  glListBase(0);
  const GLint ints[] = {GLint(letters + 1)};
  glCallLists(1, GL_INT, ints);
  at(3, 1);
  // Made again in every frame, so the frame that shows runs it as it is
  // made, and the name's list is replaced each time.
  if (compiledAndRun == 0) compiledAndRun = glGenLists(1);
  glNewList(compiledAndRun, GL_COMPILE_AND_EXECUTE);
  glColor3f(0.5f, 0.9f, 0.4f);
  glTranslatef(-0.2f, 0, 0);
  square(0.15f);
  glEndList();
  glTranslatef(0.2f, 0.2f, 0);
  glCallList(compiledAndRun);

  // Row 2: a colour a list leaves; a deleted range; a material change in a
  // pair of a list; a list's quad.
  at(0, 2);
  glCallList(colourLeft);
  square(0.3f);
  at(1, 2);
  glTranslatef(0, 0.25f, 0);
  glCallList(deleted);
  glCallList(deleted + 1);
  glCallList(deleted + 2);
  at(2, 2);
  lit(true);
  glCallList(materialInPair);
  material(0.8f, 0.8f, 0.8f);
  lit(false);
  at(3, 2);
  glCallList(quads);

  // Row 3: a draw from arrays after draws of other materials; a mark that
  // the frame after a key is a frame of its own.
  at(0, 3);
  arraysAfterOtherMaterials();
  if (keys % 2 == 1) {
    at(3, 3);
    glColor3f(0.9f, 0.9f, 0.2f);
    square(0.2f);
  }
  material(0.8f, 0.8f, 0.8f);
  glColor3f(1, 1, 1);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

void key(unsigned char) {
  ++keys;
  glutPostRedisplay();
}

int main(int argc, char** argv) {
  openWindow(&argc, argv, "lists", display, key);
  // Lit from the viewer's side; GLUT's shapes are drawn once before any
  // list is made, so their own lists come first.
  glEnable(GL_LIGHT0);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glutSolidSphere(0.35, 16, 12);
  glutSolidCube(0.2);
  makeLists();
  glutMainLoop();
}

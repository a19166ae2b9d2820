// GLU's NURBS in the mode that hands the program their triangles and
// lines (GLU_NURBS_TESSELLATOR), sampled at fixed steps of their domain:
// a lit surface of four by four control points, with a hole trimmed out
// of it, and a curve through the same points beside it. On r, GLU's own
// drawing of them, through GL's evaluators.

#include <GL/glu.h>
#include <GL/glut.h>

#include "window.h"

namespace {

GLfloat points[4][4][3];
GLUnurbs* nurbs = nullptr;

void makePoints() {
  for (int u = 0; u < 4; ++u) {
    for (int v = 0; v < 4; ++v) {
      points[u][v][0] = 0.6f * (float(u) - 1.5f);
      points[u][v][1] = 0.6f * (float(v) - 1.5f);
      const bool inner = (u == 1 || u == 2) && (v == 1 || v == 2);
      points[u][v][2] = inner ? (u == 1 ? 1.2f : -0.6f) : -0.3f;
    }
  }
}

void GLAPIENTRY begin(GLenum mode) {
  glBegin(mode);
}
void GLAPIENTRY vertex(GLfloat* v) {
  glVertex3fv(v);
}
void GLAPIENTRY normal(GLfloat* n) {
  glNormal3fv(n);
}
void GLAPIENTRY end() {
  glEnd();
}

void makeNurbs() {
  nurbs = gluNewNurbsRenderer();
  gluNurbsProperty(nurbs, GLU_NURBS_MODE, GLU_NURBS_TESSELLATOR);
  gluNurbsProperty(nurbs, GLU_SAMPLING_METHOD, GLU_DOMAIN_DISTANCE);
  gluNurbsProperty(nurbs, GLU_U_STEP, 6);
  gluNurbsProperty(nurbs, GLU_V_STEP, 6);
  gluNurbsCallback(nurbs, GLU_NURBS_BEGIN, reinterpret_cast<_GLUfuncptr>(begin));
  gluNurbsCallback(nurbs, GLU_NURBS_VERTEX, reinterpret_cast<_GLUfuncptr>(vertex));
  gluNurbsCallback(nurbs, GLU_NURBS_NORMAL, reinterpret_cast<_GLUfuncptr>(normal));
  gluNurbsCallback(nurbs, GLU_NURBS_END, reinterpret_cast<_GLUfuncptr>(end));
}

void surface() {
  static GLfloat knots[8] = {0, 0, 0, 0, 1, 1, 1, 1};
  static GLfloat edge[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
  static GLfloat hole[5][2] = {
      {0.3f, 0.3f}, {0.3f, 0.55f}, {0.6f, 0.55f}, {0.6f, 0.3f}, {0.3f, 0.3f}};
  gluBeginSurface(nurbs);
  gluNurbsSurface(nurbs, 8, knots, 8, knots, 4 * 3, 3, &points[0][0][0], 4, 4, GL_MAP2_VERTEX_3);
  gluBeginTrim(nurbs);
  gluPwlCurve(nurbs, 5, &edge[0][0], 2, GLU_MAP1_TRIM_2);
  gluEndTrim(nurbs);
  gluBeginTrim(nurbs);
  gluPwlCurve(nurbs, 5, &hole[0][0], 2, GLU_MAP1_TRIM_2);
  gluEndTrim(nurbs);
  gluEndSurface(nurbs);
}

void curve() {
  static GLfloat knots[8] = {0, 0, 0, 0, 1, 1, 1, 1};
  gluBeginCurve(nurbs);
  gluNurbsCurve(nurbs, 8, knots, 4 * 3, &points[0][1][0], 4, GL_MAP1_VERTEX_3);
  gluEndCurve(nurbs);
}

// The key r draws them as GLU draws them by default, through GL's
// evaluators.
void key(unsigned char c) {
  if (c != 'r') return;
  gluNurbsProperty(nurbs, GLU_NURBS_MODE, GLU_NURBS_RENDERER);
  glutPostRedisplay();
}

void display() {
  startFrame(0.12f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  const GLfloat place[4] = {1, 1, 2, 0};
  glLightfv(GL_LIGHT0, GL_POSITION, place);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  glPushMatrix();
  glTranslatef(-0.5f, 0, 0);
  glRotatef(-50, 1, 0, 0);
  glRotatef(20, 0, 0, 1);
  surface();
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glColor3f(1, 0.8f, 0.3f);
  glPushMatrix();
  glTranslatef(1.2f, 0.3f, 0);
  glRotatef(-60, 1, 0, 0);
  curve();
  glPopMatrix();
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "nurbs", display, key);
  makePoints();
  makeNurbs();
  glutMainLoop();
}

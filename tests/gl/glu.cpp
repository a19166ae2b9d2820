// GLU beyond the quadrics' filled shapes, in four quarters of the window:
// a floor mipmapped by gluBuild2DMipmaps from an image of no power of two,
// seen through gluPerspective and gluLookAt; a concave polygon with a hole
// and a second, crossing contour, tessellated by the odd winding rule,
// under gluOrtho2D; quadrics drawn as lines, silhouettes and points, and a
// partial disk turned inside with flat normals, lit. The program prints
// what gluProject and gluUnProject give, what a proxy texture takes, an
// error's text and GLU's version.

#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdio>
#include <vector>

#include "window.h"

namespace {

GLuint floorTexture = 0;

// An image of 5 by 3 texels, a colour each, which GLU scales to 8 by 4
// and then halves level by level.
void makeFloor() {
  std::vector<GLubyte> texels;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      texels.push_back(GLubyte(x * 60));
      texels.push_back(GLubyte(255 - y * 110));
      texels.push_back(GLubyte((x + y) % 2 == 0 ? 230 : 30));
    }
  }
  glGenTextures(1, &floorTexture);
  glBindTexture(GL_TEXTURE_2D, floorTexture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 5, 3, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
}

void quarter(int column, int row) {
  const int half = windowSize / 2;
  glViewport(column * half, row * half, half, half);
}

void floorInPerspective() {
  quarter(0, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(50, 1, 0.5, 40);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(1, 2, 4, 0, 0, -3, 0, 1, 0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, floorTexture);
  // The texture modulates the colour, which the frame before left pink.
  glColor3f(1, 1, 1);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(-3, 0, 3);
  glTexCoord2f(3, 0);
  glVertex3f(3, 0, 3);
  glTexCoord2f(3, 6);
  glVertex3f(3, 0, -12);
  glTexCoord2f(0, 6);
  glVertex3f(-3, 0, -12);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

void GLAPIENTRY vertexOf(void* data) {
  const GLdouble* point = static_cast<const GLdouble*>(data);
  glColor3d(0.3 + point[0] / 200, 0.2 + point[1] / 150, 0.8);
  glVertex3dv(point);
}

// A crossing's new vertex, kept until the tessellation ends.
std::vector<GLdouble*> made;

void GLAPIENTRY combine(GLdouble coords[3], void* [4], GLfloat[4], void** out) {
  GLdouble* point = new GLdouble[3]{coords[0], coords[1], coords[2]};
  made.push_back(point);
  *out = point;
}

void contour(GLUtesselator* tess, std::vector<GLdouble>& points) {
  gluTessBeginContour(tess);
  for (std::size_t i = 0; i < points.size(); i += 3) gluTessVertex(tess, &points[i], &points[i]);
  gluTessEndContour(tess);
}

void tessellated() {
  quarter(1, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0, 128, 0, 128);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  std::vector<GLdouble> outer = {10, 10, 0, 118, 10, 0, 118, 118, 0, 64, 60, 0, 10, 118, 0};
  std::vector<GLdouble> hole = {30, 20, 0, 30, 50, 0, 60, 50, 0, 60, 20, 0};
  std::vector<GLdouble> crossing = {80, 30, 0, 125, 30, 0, 125, 45, 0, 80, 45, 0};
  GLUtesselator* tess = gluNewTess();
  gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(glBegin));
  gluTessCallback(tess, GLU_TESS_VERTEX, reinterpret_cast<_GLUfuncptr>(vertexOf));
  gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<_GLUfuncptr>(glEnd));
  gluTessCallback(tess, GLU_TESS_COMBINE, reinterpret_cast<_GLUfuncptr>(combine));
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
  gluTessBeginPolygon(tess, nullptr);
  contour(tess, outer);
  contour(tess, hole);
  contour(tess, crossing);
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
  for (GLdouble* point : made) delete[] point;
  made.clear();
}

void quadricShapes() {
  quarter(0, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -4);
  glRotatef(60, 1, 0.3f, 0);
  GLUquadric* quadric = gluNewQuadric();
  glColor3f(1, 0.9f, 0.3f);
  gluQuadricDrawStyle(quadric, GLU_LINE);
  glPushMatrix();
  glTranslatef(-0.9f, 0.5f, 0);
  gluSphere(quadric, 0.6, 10, 8);
  glPopMatrix();
  glColor3f(0.3f, 1, 0.8f);
  gluQuadricDrawStyle(quadric, GLU_SILHOUETTE);
  glPushMatrix();
  glTranslatef(0.8f, 0.6f, 0);
  gluDisk(quadric, 0.2, 0.6, 12, 3);
  glPopMatrix();
  glColor3f(1, 0.4f, 0.9f);
  gluQuadricDrawStyle(quadric, GLU_POINT);
  glPointSize(2);
  glPushMatrix();
  glTranslatef(0, -0.8f, -0.5f);
  gluCylinder(quadric, 0.5, 0.2, 1, 12, 4);
  glPopMatrix();
  glPointSize(1);
  gluDeleteQuadric(quadric);
}

void litPartialDisk() {
  quarter(1, 0);
  glLoadIdentity();
  glTranslatef(0, 0, -4);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  const GLfloat place[4] = {0.5f, 1, 1, 0};
  glLightfv(GL_LIGHT0, GL_POSITION, place);
  glRotatef(-30, 0, 1, 0);
  GLUquadric* quadric = gluNewQuadric();
  gluQuadricNormals(quadric, GLU_FLAT);
  gluQuadricOrientation(quadric, GLU_INSIDE);
  glRotatef(180, 0, 1, 0);
  gluPartialDisk(quadric, 0.3, 1.1, 16, 3, 30, 250);
  glTranslatef(0, 0, 0.2f);
  gluQuadricOrientation(quadric, GLU_OUTSIDE);
  gluQuadricNormals(quadric, GLU_SMOOTH);
  gluSphere(quadric, 0.35, 12, 8);
  gluDeleteQuadric(quadric);
  glDisable(GL_LIGHTING);
}

// What a program reads of GLU without drawing: a point taken to the window
// and back, and GLU's own words.
void sayWhatGluGives() {
  const GLdouble model[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5, -0.25, -4, 1};
  GLdouble projection[16];
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(60, 1.5, 1, 20);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  const GLint viewport[4] = {10, 20, 300, 200};
  GLdouble x, y, z, back[3];
  gluProject(0.25, 0.5, 1, model, projection, viewport, &x, &y, &z);
  gluUnProject(x, y, z, model, projection, viewport, &back[0], &back[1], &back[2]);
  std::printf("projected %.3f %.3f %.5f, back %.3f %.3f %.3f\n", x, y, z, back[0], back[1],
              back[2]);
  const GLdouble nothing[16] = {};
  const GLint refused = gluUnProject(1, 1, 1, nothing, projection, viewport, &x, &y, &z);
  std::printf("unprojected through a singular matrix: %d\n", int(refused));
  GLint fits = 0, tooWide = 0;
  glTexImage2D(GL_PROXY_TEXTURE_2D, 1, GL_RGB, 6, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &fits);
  glTexImage2D(GL_PROXY_TEXTURE_2D, 1, GL_RGB, 1 << 17, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &tooWide);
  std::printf("proxy widths: %d, too wide %d\n", int(fits), int(tooWide));
  std::printf("%s; %s; GLU %s\n", gluErrorString(GL_INVALID_ENUM),
              gluErrorString(GLU_INVALID_VALUE), gluGetString(GLU_VERSION));
  std::fflush(stdout);
}

void display() {
  glClearColor(0.12f, 0.1f, 0.1f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  floorInPerspective();
  glDisable(GL_DEPTH_TEST);
  tessellated();
  glEnable(GL_DEPTH_TEST);
  quadricShapes();
  litPartialDisk();
  glViewport(0, 0, windowSize, windowSize);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "glu", display);
  makeFloor();
  sayWhatGluGives();
  glutMainLoop();
}

// What GL 1.1 does to a fragment once it is coloured, cell by cell in a
// grid of four by three: fog of each mode; blending by several factors,
// with a window that has no alpha of its own; the alpha test; the depth
// mask and the clear depth; the colour mask; the scissor; the stencil;
// culling of either face, with the front face turned.

#include <GL/glut.h>

#include "window.h"

namespace {

void at(int column, int row) {
  glLoadIdentity();
  glTranslatef(-3.0f + 2.0f * float(column), 2.6f - 2.6f * float(row), -10.0f);
}

void square(float x, float y, float size, float z = 0) {
  glBegin(GL_QUADS);
  glVertex3f(x - size, y - size, z);
  glVertex3f(x + size, y - size, z);
  glVertex3f(x + size, y + size, z);
  glVertex3f(x - size, y + size, z);
  glEnd();
}

// A strip that runs from near to far, coloured from left to right.
void recedingStrip() {
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i <= 8; ++i) {
    const float t = float(i) / 8;
    glColor3f(0.9f * (1 - t) + 0.1f, 0.3f, 0.9f * t + 0.1f);
    glVertex3f(-0.9f + 1.8f * t, -0.9f, 3.0f - 8.0f * t);
    glVertex3f(-0.9f + 1.8f * t, 0.9f, 3.0f - 8.0f * t);
  }
  glEnd();
}

void fog() {
  const float grey[] = {0.6f, 0.6f, 0.7f, 1};
  glFogfv(GL_FOG_COLOR, grey);
  glEnable(GL_FOG);
  at(0, 0);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 7);
  glFogf(GL_FOG_END, 15);
  recedingStrip();
  at(1, 0);
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, 0.12f);
  recedingStrip();
  at(2, 0);
  glFogi(GL_FOG_MODE, GL_EXP2);
  glFogf(GL_FOG_DENSITY, 0.09f);
  recedingStrip();
  glDisable(GL_FOG);
}

void blending() {
  glEnable(GL_BLEND);
  // Half see-through over a red square.
  at(3, 0);
  glBlendFunc(GL_ONE, GL_ZERO);
  glColor3f(0.9f, 0.1f, 0.1f);
  square(-0.25f, 0.25f, 0.6f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.1f, 0.3f, 0.9f, 0.4f);
  square(0.25f, -0.25f, 0.6f, 0.1f);
  // Added, and multiplied by what is there.
  at(0, 1);
  glBlendFunc(GL_ONE, GL_ZERO);
  glColor3f(0.5f, 0.3f, 0.1f);
  square(-0.25f, 0.25f, 0.6f);
  glBlendFunc(GL_ONE, GL_ONE);
  glColor3f(0.1f, 0.4f, 0.6f);
  square(0.25f, -0.25f, 0.6f, 0.1f);
  at(1, 1);
  glBlendFunc(GL_ONE, GL_ZERO);
  glColor3f(0.9f, 0.8f, 0.3f);
  square(-0.25f, 0.25f, 0.6f);
  glBlendFunc(GL_DST_COLOR, GL_ZERO);
  glColor3f(0.3f, 0.6f, 0.9f);
  square(0.25f, -0.25f, 0.6f, 0.1f);
  // The destination's alpha, which a window without alpha gives as 1.
  at(2, 1);
  glBlendFunc(GL_ONE, GL_ZERO);
  glColor3f(0.2f, 0.7f, 0.3f);
  square(-0.25f, 0.25f, 0.6f);
  glBlendFunc(GL_ONE_MINUS_DST_ALPHA, GL_DST_ALPHA);
  glColor3f(0.9f, 0.1f, 0.9f);
  square(0.25f, -0.25f, 0.6f, 0.1f);
  glBlendFunc(GL_SRC_ALPHA_SATURATE, GL_ONE);
  glColor4f(0.8f, 0.8f, 0.8f, 0.3f);
  square(0.45f, 0.45f, 0.3f, 0.2f);
  glDisable(GL_BLEND);
}

// The alpha test keeps fragments whose alpha is greater than a half.
void alphaTest() {
  at(3, 1);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glBegin(GL_QUADS);
  glColor4f(0.9f, 0.6f, 0.1f, 0);
  glVertex3f(-0.9f, -0.9f, 0);
  glColor4f(0.9f, 0.6f, 0.1f, 1);
  glVertex3f(0.9f, -0.9f, 0);
  glColor4f(0.1f, 0.6f, 0.9f, 1);
  glVertex3f(0.9f, 0.9f, 0);
  glColor4f(0.1f, 0.6f, 0.9f, 0);
  glVertex3f(-0.9f, 0.9f, 0);
  glEnd();
  glDisable(GL_ALPHA_TEST);
}

// The depth mask off: a near square leaves no depth, so a farther one
// drawn after it covers it; the colour mask: only green written.
void masks() {
  at(0, 2);
  glDepthMask(GL_FALSE);
  glColor3f(0.9f, 0.2f, 0.2f);
  square(-0.2f, 0.2f, 0.6f, 0.5f);
  glDepthMask(GL_TRUE);
  glColor3f(0.2f, 0.9f, 0.2f);
  square(0.2f, -0.2f, 0.6f, -0.5f);
  at(1, 2);
  glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE);
  glColor3f(0.9f, 0.8f, 0.7f);
  square(0, 0, 0.8f);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// A square through the scissor's box; a square through a circle written
// into the stencil alone.
void scissorAndStencil() {
  at(2, 2);
  glEnable(GL_SCISSOR_TEST);
  glScissor(150, 30, 30, 40);
  glColor3f(0.8f, 0.8f, 0.2f);
  square(0, 0, 0.9f);
  glDisable(GL_SCISSOR_TEST);
  at(3, 2);
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_ALWAYS, 1, 0xFF);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDepthMask(GL_FALSE);
  glutSolidSphere(0.6, 24, 16);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilFunc(GL_EQUAL, 1, 0xFF);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  glColor3f(0.3f, 0.8f, 0.9f);
  square(0.3f, 0.3f, 0.7f, 1);
  glDisable(GL_STENCIL_TEST);
}

// Culling: a cube with its front faces culled shows its inside; with the
// front faces clockwise and the back ones culled, the same.
void culling() {
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glLoadIdentity();
  glTranslatef(-2.2f, -0.5f, -10);
  glRotatef(30, 1, 1, 0);
  glCullFace(GL_FRONT);
  glutSolidCube(0.9);
  glLoadIdentity();
  glTranslatef(2.2f, -0.5f, -10);
  glRotatef(30, 1, 1, 0);
  glCullFace(GL_BACK);
  glFrontFace(GL_CW);
  glutSolidCube(0.9);
  glFrontFace(GL_CCW);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
}

void display() {
  glClearColor(0.15f, 0.15f, 0.2f, 1);
  glClearDepth(1.0);
  glClearStencil(0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2.5, 20);
  glMatrixMode(GL_MODELVIEW);
  fog();
  blending();
  alphaTest();
  masks();
  scissorAndStencil();
  culling();
  glColor3f(1, 1, 1);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "fragments", display, nullptr, defaultMode | GLUT_STENCIL);
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

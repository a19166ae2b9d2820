#include "scene/pieces.h"

#include "app/gl.h"
#include "scene/dimensions.h"

const float lightPieceColor[4] = {0.9f, 0.9f, 0.9f, 1.0f};
const float darkPieceColor[4] = {0.4f, 0.4f, 0.4f, 1.0f};

namespace {

// Round shapes are cut into this many slices around the axis, and the head
// and body into this many stacks along it. So fine a mesh keeps outlines and
// highlights smooth even in a window several times the default size. It is
// also most of a frame: about 500,000 triangles rebuilt every time, 40 to
// 80 ms in Mesa's software renderer, where 40 slices and 32 stacks take 13.
constexpr int pieceSlices = 160;
constexpr int pieceStacks = 128;
// The base is a short band and its cap lies flat: a few rings are enough.
constexpr int baseStacks = 16;
constexpr int capLoops = 16;

}  // namespace

void drawCylinder(float radius, float height, int slices, int stacks) {
  GLUquadric* quadric = gluNewQuadric();
  glPushMatrix();
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glTranslatef(0.0f, 0.0f, -height / 2);
  gluQuadricDrawStyle(quadric, GLU_FILL);
  gluCylinder(quadric, radius, radius, height, slices, stacks);
  gluDeleteQuadric(quadric);
  glPopMatrix();
}

void drawDisk(float radius, int slices, int loops) {
  GLUquadric* quadric = gluNewQuadric();
  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  gluQuadricDrawStyle(quadric, GLU_FILL);
  gluDisk(quadric, 0.0, radius, slices, loops);
  gluDeleteQuadric(quadric);
  glPopMatrix();
}

// Head, body, base and base cap; the cylinder and disk work y-up, so the
// base parts turn the board's z-up frame into theirs first.
void drawPiece(float x, float y) {
  const double t = boardThickness;
  const double r = pieceRadius;
  glPushMatrix();
  glTranslated(x, y, t / 2 + 2 * r + r / 4);
  glutSolidSphere(0.625 * r, pieceSlices, pieceStacks);
  glPopMatrix();

  glPushMatrix();
  glTranslated(x, y, t / 2 + r / 4);
  glutSolidCone(r, 2 * r, pieceSlices, pieceStacks);
  glPopMatrix();

  glPushMatrix();
  glTranslated(x, y, t / 2 + r / 8);
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  drawCylinder(pieceRadius, pieceRadius / 4, pieceSlices, baseStacks);
  glPopMatrix();

  // With drawDisk's own turn this faces the cap down, closing the base.
  glPushMatrix();
  glTranslated(x, y, t / 2);
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  drawDisk(pieceRadius, pieceSlices, capLoops);
  glPopMatrix();
}

void drawPieces() {
  const float pieceSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, pieceSpecular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 80.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, lightPieceColor);
  drawPiece(1.4f, 1.8f);
  drawPiece(0.6f, 2.6f);
  drawPiece(0.6f, 1.4f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, darkPieceColor);
  drawPiece(2.2f, 2.2f);
  drawPiece(2.6f, 0.6f);
  // The tipped piece lies across square (4, 3); its transform stays on the
  // matrix until the scene's pop.
  glTranslated(1.8f, 1.4f, static_cast<double>(boardThickness) / 2 + pieceRadius);
  glRotatef(100.0f, 0.7f, 0.4f, 0.0f);
  drawPiece(0.0f, 0.0f);
}

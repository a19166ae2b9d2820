#include "app/display.h"

#include "app/gl.h"
#include "app/state.h"
#include "app/view_math.h"
#include "scene/board.h"
#include "scene/pieces.h"

namespace {

// The light is placed while the modelview matrix is the identity, so it stays
// fixed to the viewer and does not turn with the scene.
void placeSpotlight() {
  const LightSpot spot = lightFromPointer(mouseX, mouseY, windowWidth, windowHeight);
  const float position[] = {spot.lx, spot.ly, 1.8f, 0.7f};
  const float direction[] = {-spot.lx, -spot.ly, -1.8f};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 90.0f);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 0.0f);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.05f);
}

}  // namespace

void drawScene() {
  glPushMatrix();
  drawBoard();
  drawPieces();
  glPopMatrix();
}

void display() {
  glClearColor(0.4f, 0.4f, 0.4f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // The camera distance sits in the projection, so the scene's origin lies
  // 12.75 units in front of the eye and the modelview starts as identity.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-2.0, 2.0, -2.0, 2.0, 10.0, 15.5);
  glTranslated(0.0, 0.0, -12.75);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  placeSpotlight();
  glRotatef(static_cast<float>(rotX), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>(rotY), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(rotZ), 0.0f, 0.0f, 1.0f);
  drawScene();
  glutSwapBuffers();
}

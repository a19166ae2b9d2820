#include "app/window.h"

#include <cstring>

#include "app/display.h"
#include "app/gl.h"
#include "app/input.h"
#include "app/state.h"
#include "texture/texture.h"

namespace {

const float lightAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};
const float lightDiffuse[] = {0.4f, 0.4f, 0.4f, 1.0f};
const float lightSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

void initGraphics() {
  glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
  // Without a texture the board is drawn in its plain colours; start-up goes
  // on either way.
  loadTexture();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  // The board's and pieces' normals reach lighting at unit length whatever
  // the modelview matrix does to them.
  glEnable(GL_NORMALIZE);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
}

void initWindow() {
  windowWidth = initialWindowSize;
  windowHeight = initialWindowSize;
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(windowWidth, windowHeight);
  glutInitWindowPosition(0, 0);
  char title[sizeof windowTitle];
  std::memcpy(title, windowTitle, sizeof title);
  glutCreateWindow(title);
  initGraphics();
  // Nothing else is registered: the scene is redrawn only when GLUT asks or
  // an input callback posts a redisplay.
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keyboard);
  glutMotionFunc(mouseMotion);
}

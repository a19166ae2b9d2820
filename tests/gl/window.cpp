#include "window.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

namespace {

void (*otherKey)(unsigned char) = nullptr;
void (*drawFrame)() = nullptr;
bool drawnBefore = false;

// The first frame is drawn twice, the first time with no colour written,
// so the frame that shows follows another: a program whose frame leans on
// state its last frame left shows it from the start, and not only once
// the window server has the window drawn again.
void showFrame() {
  if (!drawnBefore) {
    drawnBefore = true;
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    drawFrame();
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
  }
  drawFrame();
}

void reshape(int width, int height) {
  glViewport(0, 0, width, height);
}

void keyboard(unsigned char key, int, int) {
  if (key == 27) std::exit(0);
  if (otherKey != nullptr) otherKey(key);
}

}  // namespace

void openWindow(int* argc, char** argv, const char* title, void (*display)(),
                void (*key)(unsigned char), unsigned mode) {
  glutInit(argc, argv);
  glutInitDisplayMode(mode);
  glutInitWindowSize(windowSize, windowSize);
  glutInitWindowPosition(0, 0);
  glutCreateWindow(title);
  otherKey = key;
  drawFrame = display;
  glutDisplayFunc(showFrame);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keyboard);
}

void startFrame(float grey) {
  glClearColor(grey, grey, grey, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 6);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -4);
}

void sayErrors(const char* where) {
  static bool said = false;
  const GLenum error = glGetError();
  if (error == GL_NO_ERROR || said) return;
  said = true;
  std::printf("GL error 0x%04X %s\n", error, where);
  std::fflush(stdout);
}

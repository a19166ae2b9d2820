// Mipmaps as GL 1.1 samples them, cell by cell in a grid of three by two:
// floors receding from the viewer under each of the four mipmapped
// filters, their levels given one by one, each level tinted its own way
// so that the level taken shows; a floor that runs from magnified to
// minified with a different filter each way; a square turned in its own
// plane, where both coordinates change along both axes; a one-dimensional
// texture's levels.

#include <GL/glut.h>

#include <vector>

#include "window.h"

namespace {

GLuint floors = 0, stripes = 0;

// Level `level` of `size` texels a side: a checker of two texels a square,
// tinted by the level.
std::vector<GLubyte> checker(int size, int level) {
  static const GLubyte tints[7][3] = {{255, 255, 255}, {255, 80, 80},  {80, 255, 80}, {80, 80, 255},
                                      {255, 255, 80},  {255, 80, 255}, {80, 255, 255}};
  std::vector<GLubyte> texels(std::size_t(size) * size * 3);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool dark = ((x / 2) + (y / 2)) % 2 == 1 && size > 2;
      for (int c = 0; c < 3; ++c) {
        texels[(std::size_t(y) * size + x) * 3 + c] =
            GLubyte(dark ? tints[level][c] / 3 : tints[level][c]);
      }
    }
  }
  return texels;
}

void makeTextures() {
  glGenTextures(1, &floors);
  glBindTexture(GL_TEXTURE_2D, floors);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int level = 0, size = 64; size >= 1; ++level, size /= 2) {
    const std::vector<GLubyte> texels = checker(size, level);
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texels.data());
  }
  glGenTextures(1, &stripes);
  glBindTexture(GL_TEXTURE_1D, stripes);
  for (int level = 0, size = 32; size >= 1; ++level, size /= 2) {
    std::vector<GLubyte> texels(std::size_t(size) * 4);
    for (int x = 0; x < size; ++x) {
      texels[x * 4] = GLubyte(x % 2 == 0 ? 250 : 40);
      texels[x * 4 + 1] = GLubyte(level * 40);
      texels[x * 4 + 2] = GLubyte(255 - level * 40);
      texels[x * 4 + 3] = 255;
    }
    glTexImage1D(GL_TEXTURE_1D, level, GL_RGBA, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  }
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
}

void at(int column, int row) {
  glLoadIdentity();
  glTranslatef(-2.15f + 2.15f * float(column), 1.0f - 3.1f * float(row), -8.0f);
}

// A floor leaning back, its texture repeated `repeats` times each way.
void floorOf(float repeats) {
  glPushMatrix();
  glRotatef(-50, 1, 0, 0);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-0.95f, -1.4f);
  glTexCoord2f(repeats, 0);
  glVertex2f(0.95f, -1.4f);
  glTexCoord2f(repeats, repeats * 2);
  glVertex2f(0.95f, 2.6f);
  glTexCoord2f(0, repeats * 2);
  glVertex2f(-0.95f, 2.6f);
  glEnd();
  glPopMatrix();
}

void display() {
  glClearColor(0.1f, 0.1f, 0.12f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2.5, 30);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, floors);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const GLenum filters[4] = {GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST_MIPMAP_NEAREST,
                             GL_LINEAR_MIPMAP_NEAREST, GL_NEAREST_MIPMAP_LINEAR};
  for (int i = 0; i < 4; ++i) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters[i]);
    at(i % 3, i / 3);
    floorOf(1.5f);
  }
  // Magnified near, minified far: nearest texels near, blended far.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  at(1, 1);
  floorOf(0.6f);
  // A square turned in its plane, with a one-dimensional texture's stripes
  // across it, their levels blended.
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_1D);
  at(2, 1);
  glTranslatef(0, 0.4f, 0);
  glRotatef(-55, 1, 0, 0);
  glRotatef(30, 0, 0, 1);
  glBegin(GL_QUADS);
  glTexCoord1f(0);
  glVertex2f(-1, -1);
  glTexCoord1f(10);
  glVertex2f(1, -1);
  glTexCoord1f(10);
  glVertex2f(1, 1);
  glTexCoord1f(0);
  glVertex2f(-1, 1);
  glEnd();
  glDisable(GL_TEXTURE_1D);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "mipmaps", display);
  makeTextures();
  glutMainLoop();
}

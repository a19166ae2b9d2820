// A texture other than the marble: three by two texels, rows packed to one
// byte, repeated and linearly filtered, taken from given coordinates, from
// object-linear generation, and at one texel for every vertex, both ways a
// renderer may do that; an upload the renderer refuses leaves the image
// before it; and a texture whose minifying filter wants mipmaps it lacks
// draws as no texture.

#include <GL/glut.h>

#include <cstdio>
#include <vector>

#include "window.h"

namespace {

GLuint checker = 0, incomplete = 0;

void quad(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glVertex3f(x0, y0, 0);
  glVertex3f(x1, y0, 0);
  glVertex3f(x1, y1, 0);
  glVertex3f(x0, y1, 0);
  glEnd();
}

// Coordinates from -0.5 to 1.5: the texture repeats, blended between texels.
void givenCoordinates() {
  glBegin(GL_QUADS);
  const float corners[4][2] = {{-1.9f, 0.2f}, {-0.2f, 0.2f}, {-0.2f, 1.9f}, {-1.9f, 1.9f}};
  const float at[4][2] = {{-0.5f, -0.5f}, {1.5f, -0.5f}, {1.5f, 1.5f}, {-0.5f, 1.5f}};
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(at[i][0], at[i][1]);
    glVertex3f(corners[i][0], corners[i][1], 0);
  }
  glEnd();
}

void generate(const float (&s)[4], const float (&t)[4]) {
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGenfv(GL_S, GL_OBJECT_PLANE, s);
  glTexGenfv(GL_T, GL_OBJECT_PLANE, t);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
}

void stopGenerating() {
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

// One texel for every vertex, given as one coordinate on the left and
// generated from constant planes on the right: the two must agree.
void oneTexelBothWays() {
  glTexCoord2f(0.37f, 0.61f);
  quad(-1.9f, -1.9f, -1.05f, -0.2f);
  generate({0, 0, 0, 0.37f}, {0, 0, 0, 0.61f});
  quad(-1.05f, -1.9f, -0.2f, -0.2f);
  stopGenerating();
}

void display() {
  startFrame(0.3f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, checker);
  givenCoordinates();
  generate({0.6f, 0.2f, 0, 0}, {-0.1f, 0.5f, 0, 0.3f});
  quad(0.2f, 0.2f, 1.9f, 1.9f);
  stopGenerating();
  oneTexelBothWays();
  // Lit and modulated by the texture. (Its long edge runs clear of pixel
  // centres: which side takes a pixel whose centre lies on an edge is the
  // renderer's to choose.)
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glNormal3f(0, 0, 1);
  glTexCoord2f(0.2f, 0.2f);
  glBegin(GL_TRIANGLES);
  glVertex3f(0.2f, -1.9f, 0);
  glTexCoord2f(1.1f, 0.4f);
  glVertex3f(1.9f, -1.9f, 0);
  glTexCoord2f(0.5f, 1.3f);
  glVertex3f(0.23f, -0.21f, 0);
  glEnd();
  glDisable(GL_LIGHTING);
  glBindTexture(GL_TEXTURE_2D, incomplete);
  glColor3f(0.9f, 0.6f, 0.2f);
  quad(1.05f, -1.05f, 1.9f, -0.2f);
  glColor3f(1, 1, 1);
  glDisable(GL_TEXTURE_2D);
  sayErrors("in a frame");
  glutSwapBuffers();
}

// A size past the renderer's limit is refused with GL_INVALID_VALUE and
// changes nothing.
void uploadPastTheLimit() {
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  const std::vector<unsigned char> row((static_cast<std::size_t>(limit) + 1) * 3, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, limit + 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, row.data());
  const GLenum error = glGetError();
  if (error != GL_INVALID_VALUE) std::printf("an upload past the limit gave 0x%04X\n", error);
}

void makeTextures() {
  const unsigned char texels[] = {255, 0,   0, 0, 255, 0,   0,   0, 255,
                                  255, 255, 0, 0, 255, 255, 255, 0, 255};
  glGenTextures(1, &checker);
  glBindTexture(GL_TEXTURE_2D, checker);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  uploadPastTheLimit();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  const unsigned char grey[] = {40, 40, 40, 80, 80, 80, 0, 0, 120, 120, 120, 160, 160, 160, 0, 0};
  glGenTextures(1, &incomplete);
  glBindTexture(GL_TEXTURE_2D, incomplete);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, grey);
  sayErrors("making the textures");
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "texels", display);
  makeTextures();
  glEnable(GL_DEPTH_TEST);
  glutMainLoop();
}

// What GL 1.1 draws at the raster position, in four bands: text of bitmap
// glyphs called from lists, with the raster colour kept from when the
// position was set, origins and moves of fractions of a pixel, an
// invalid position that draws nothing, and bitmaps unpacked through the
// pixel store; positions lit, fogged, hidden by depth, textured and on
// the wrong side of a clip plane; pixel images of several formats
// through the pixel transfer and maps, zoomed each way and drawn past a
// small viewport; and pixels copied and read back.

#include <GL/glut.h>

#include <cstdint>
#include <vector>

#include "window.h"

namespace {

// Glyphs of eight by eight, bottom row first.
const GLubyte glyphs[4][8] = {
    {0x81, 0x81, 0xFF, 0x81, 0x42, 0x42, 0x24, 0x18},  // a peak
    {0xFC, 0x82, 0x82, 0xFC, 0x82, 0x82, 0x82, 0xFC},  // a B
    {0x3C, 0x42, 0x80, 0x80, 0x80, 0x80, 0x42, 0x3C},  // a C
    {0xFF, 0x81, 0xBD, 0xA5, 0xA5, 0xBD, 0x81, 0xFF},  // a box in a box
};
GLuint font = 0;

void makeFont() {
  font = glGenLists(128);
  for (int i = 0; i < 4; ++i) {
    glNewList(font + 'A' + GLuint(i), GL_COMPILE);
    glBitmap(8, 8, 0, 0, 10, 0, glyphs[i]);
    glEndList();
  }
}

void text(const char* s, int length) {
  glListBase(font);
  glCallLists(length, GL_UNSIGNED_BYTE, s);
}

void windowCoordinates() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowSize, 0, windowSize, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void bitmaps() {
  // The raster colour is the colour when the position was set.
  glColor3f(1, 1, 0);
  glRasterPos2i(6, 240);
  glColor3f(0, 0, 1);
  text("ABCDAB", 6);
  glColor3f(0.3f, 1, 0.6f);
  glRasterPos2f(6.6f, 228.4f);
  text("DCBA", 4);
  // Origins and moves of fractions of a pixel.
  glColor3f(1, 0.5f, 0.2f);
  glRasterPos2f(80.5f, 230.25f);
  glBitmap(8, 8, 3.7f, 1.2f, 9.6f, 0.5f, glyphs[3]);
  glBitmap(8, 8, -0.4f, 0, 9.6f, -0.5f, glyphs[3]);
  glBitmap(8, 8, 0, 0.9f, 0, 0, glyphs[0]);
  // Outside the view the position is invalid: nothing is drawn or moved.
  glColor3f(1, 0, 0);
  glRasterPos2f(-3, 230);
  glBitmap(8, 8, 0, 0, 300, 0, glyphs[3]);
  glRasterPos2f(110, 300);
  glBitmap(8, 8, 0, 0, 0, 0, glyphs[3]);
  // A bitmap through the pixel store: least significant bit first, rows
  // of three bytes of which two are skipped, a row skipped.
  const GLubyte stored[] = {0x00, 0x00, 0x00, 0xAA, 0x0F, 0x55, 0xF0, 0x11, 0x99,
                            0x81, 0x33, 0xC3, 0xFF, 0x01, 0x80, 0x7E, 0x00, 0x18};
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 24);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
  glColor3f(0.8f, 0.8f, 1);
  glRasterPos2i(140, 232);
  glBitmap(12, 5, 0, 0, 0, 0, stored);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  // A raster position kept in a list, and set from window coordinates.
  glColor3f(0.2f, 1, 1);
  glNewList(font + 200, GL_COMPILE);
  glRasterPos2i(170, 240);
  glEndList();
  glColor3f(1, 0.2f, 1);
  glCallList(font + 200);
  text("BB", 2);
  GLfloat at[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
  glRectf(at[0], at[1], at[0] + 4, at[1] + 4);
}

GLubyte full[32];

// A square of sixteen pixels at the raster position, sent on at once: the
// desktop's renderer holds bitmaps back, and draws them with state set
// after them where another bitmap follows.
void block() {
  glBitmap(16, 16, 0, 0, 0, 0, full);
  glFlush();
}

void perspective() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 2, 12);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void litPositions() {
  perspective();
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  const float white[] = {1, 1, 1, 1}, origin[] = {0, 0, 0, 1};
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);
  glLightfv(GL_LIGHT0, GL_POSITION, origin);
  // The spot and the colour material below last into the next frame.
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 0);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0);
  const float ambient[] = {0.2f, 0.2f, 0.2f, 1}, diffuse[] = {0.8f, 0.8f, 0.8f, 1};
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  const float shiny[] = {0.6f, 0.6f, 0.3f, 1};
  glMaterialfv(GL_FRONT, GL_SPECULAR, shiny);
  glMaterialf(GL_FRONT, GL_SHININESS, 20);
  glNormal3f(0.3f, 0.2f, 1);
  // A light at the eye, the position moved away from it.
  glTranslatef(0, 0, -3);
  glRasterPos3f(-1.3f, 0.7f, 0.5f);
  block();
  glRasterPos3f(-0.9f, 0.7f, -0.5f);
  block();
  // A light from the upper right at infinity, seen from in place.
  const float far[] = {1, 1, 1, 0};
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, far);
  glPopMatrix();
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
  glRasterPos3f(-0.5f, 0.7f, 0);
  block();
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  // A spot, attenuated, and a colour material.
  const float spotAt[] = {0, 1, 3, 1}, down[] = {0, -1, -1};
  glLightfv(GL_LIGHT0, GL_POSITION, spotAt);
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, down);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 40);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 4);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.3f);
  glEnable(GL_COLOR_MATERIAL);
  glColor3f(0.2f, 0.9f, 0.5f);
  glRasterPos3f(-0.1f, 0.7f, 0);
  block();
  glRasterPos3f(0.3f, 0.7f, 1.5f);
  block();
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_LIGHTING);
}

void fogDepthAndTexture() {
  perspective();
  glTranslatef(0, 0, -3);
  // Fog as at the eye, whatever the position's distance.
  const float blue[] = {0.1f, 0.2f, 0.9f, 1};
  glFogfv(GL_FOG_COLOR, blue);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, -4);
  glFogf(GL_FOG_END, 4);
  glColor3f(1, 1, 0.2f);
  glRasterPos3f(0.7f, 0.7f, 0);
  block();
  glDisable(GL_FOG);
  // Behind a square, nearer than another.
  glEnable(GL_DEPTH_TEST);
  glColor3f(0.5f, 0.5f, 0.5f);
  glBegin(GL_QUADS);
  glVertex3f(-1.4f, 0.05f, 0);
  glVertex3f(-0.8f, 0.05f, 0);
  glVertex3f(-0.8f, 0.35f, 0);
  glVertex3f(-1.4f, 0.35f, 0);
  glEnd();
  glColor3f(1, 0.3f, 0.3f);
  glRasterPos3f(-1.2f, 0.1f, -0.5f);
  block();
  glRasterPos3f(-1.0f, 0.1f, 0.5f);
  block();
  glDisable(GL_DEPTH_TEST);
  // Textured with the position's coordinates.
  const GLubyte texels[4 * 4 * 3] = {255, 0,   0,   0,   255, 0,   0,   0,   255, 255, 255, 0,
                                     0,   255, 255, 255, 0,   255, 128, 128, 128, 255, 128, 0,
                                     40,  40,  40,  200, 100, 50,  50,  100, 200, 100, 200, 50,
                                     255, 255, 255, 0,   0,   0,   90,  180, 30,  30,  90,  180};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glTexCoord2f(0.6f, 0.1f);
  glRasterPos3f(-0.6f, 0.1f, 0);
  block();
  glDisable(GL_TEXTURE_2D);
  // A clip plane makes a position invalid, but cuts no bitmap.
  const double right[] = {-1, 0, 0, 0.75};
  glClipPlane(GL_CLIP_PLANE0, right);
  glEnable(GL_CLIP_PLANE0);
  glColor3f(0.9f, 0.9f, 0.9f);
  glRasterPos3f(0.6f, 0.1f, 0);
  block();
  glRasterPos3f(0.9f, 0.1f, 0);
  block();
  glDisable(GL_CLIP_PLANE0);
}

// An image of `width` by `height` of red, green and blue ramps.
std::vector<GLubyte> ramps(int width, int height) {
  std::vector<GLubyte> image;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.push_back(GLubyte(40 + 200 * x / width));
      image.push_back(GLubyte(40 + 200 * y / height));
      image.push_back(GLubyte((x + y) % 2 * 120 + 60));
      image.push_back(255);
    }
  }
  return image;
}

void zoomed(float x, float y, float zoomX, float zoomY, const std::vector<GLubyte>& image) {
  glRasterPos2f(x, y);
  glPixelZoom(zoomX, zoomY);
  glDrawPixels(5, 4, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
}

void images() {
  windowCoordinates();
  const std::vector<GLubyte> image = ramps(5, 4);
  zoomed(6, 130, 1, 1, image);
  zoomed(14.5f, 130, 2, 2, image);
  zoomed(40, 137.6f, -1, 1, image);
  zoomed(46, 130, 3, -2, image);
  zoomed(80, 138, -2, -2, image);
  glPixelZoom(1, 1);
  // Floats, luminance through scale and bias, indices through the maps.
  std::vector<float> floats;
  for (int i = 0; i < 6 * 5; ++i) {
    floats.insert(floats.end(), {float(i % 6) / 5, 0.5f, float(i / 6) / 4});
  }
  glRasterPos2i(90, 126);
  glDrawPixels(6, 5, GL_RGB, GL_FLOAT, floats.data());
  const GLubyte grey[8 * 4] = {0,   32,  64,  96,  128, 160, 192, 224, 10,  40,  70,
                               100, 130, 160, 190, 220, 20,  50,  80,  110, 140, 170,
                               200, 230, 255, 0,   255, 0,   255, 0,   255, 0};
  glPixelTransferf(GL_RED_SCALE, 0.5f);
  glPixelTransferf(GL_BLUE_BIAS, 0.3f);
  glRasterPos2i(100, 126);
  glDrawPixels(8, 4, GL_LUMINANCE, GL_UNSIGNED_BYTE, grey);
  glPixelTransferf(GL_RED_SCALE, 1);
  glPixelTransferf(GL_BLUE_BIAS, 0);
  const float reds[4] = {0, 1, 0.5f, 0.2f}, greens[4] = {0.3f, 0, 1, 0.8f};
  const float blues[4] = {1, 0.2f, 0, 0.6f}, alphas[4] = {1, 1, 1, 1};
  glPixelMapfv(GL_PIXEL_MAP_I_TO_R, 4, reds);
  glPixelMapfv(GL_PIXEL_MAP_I_TO_G, 4, greens);
  glPixelMapfv(GL_PIXEL_MAP_I_TO_B, 4, blues);
  glPixelMapfv(GL_PIXEL_MAP_I_TO_A, 4, alphas);
  const GLubyte indices[16] = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2, 7, 6, 5, 4};
  glRasterPos2i(112, 126);
  glPixelZoom(2, 2);
  glDrawPixels(4, 4, GL_COLOR_INDEX, GL_UNSIGNED_BYTE, indices);
  glPixelZoom(1, 1);
  // Drawn whole past a small viewport, which does not move the pixels.
  glViewport(130, 120, 20, 20);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 20, 0, 20, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glRasterPos2i(10, 10);
  glPixelZoom(4, 3);
  glDrawPixels(5, 4, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
  glPixelZoom(1, 1);
  glColor3f(1, 1, 1);
  glRasterPos2i(15, 5);
  glBitmap(16, 16, 0, 0, 0, 0, full);
  glViewport(0, 0, windowSize, windowSize);
}

void copies() {
  windowCoordinates();
  // The text band copied, doubled and with its red halved.
  glRasterPos2i(6, 20);
  glPixelZoom(2, 2);
  glPixelTransferf(GL_RED_SCALE, 0.5f);
  glCopyPixels(6, 226, 60, 24, GL_COLOR);
  glPixelTransferf(GL_RED_SCALE, 1);
  glPixelZoom(1, -1);
  glRasterPos2i(130, 110);
  glCopyPixels(6, 120, 80, 25, GL_COLOR);
  glPixelZoom(1, 1);
  // Read back as RGB floats packed tightly, and drawn again.
  std::vector<float> read(std::size_t(40) * 30 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(80, 140, 40, 30, GL_RGB, GL_FLOAT, read.data());
  glRasterPos2i(140, 20);
  glDrawPixels(40, 30, GL_RGB, GL_FLOAT, read.data());
}

void display() {
  startFrame(0.15f);
  windowCoordinates();
  bitmaps();
  litPositions();
  fogDepthAndTexture();
  images();
  copies();
  sayErrors("drawing at the raster position");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "pixels", display);
  // Bitmaps' rows are of whole bytes here, but for the pixel store's own.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (GLubyte& b : full) b = 0xFF;
  makeFont();
  glutMainLoop();
}

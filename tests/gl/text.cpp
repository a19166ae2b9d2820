// GLUT's text: a line in each bitmap font at raster positions set in a
// window-sized orthographic projection, one coloured after glRasterPos and
// one before; both stroke fonts, scaled, turned and drawn as lines of two
// widths. The program prints the fonts' measures.

#include <GL/freeglut.h>

#include <cstdio>

#include "window.h"

namespace {

struct Font {
  void* font;
  const char* name;
};

const Font bitmapFonts[] = {
    {GLUT_BITMAP_8_BY_13, "8x13"},
    {GLUT_BITMAP_9_BY_15, "9x15"},
    {GLUT_BITMAP_TIMES_ROMAN_10, "Times 10"},
    {GLUT_BITMAP_TIMES_ROMAN_24, "Times 24"},
    {GLUT_BITMAP_HELVETICA_10, "Helvetica 10"},
    {GLUT_BITMAP_HELVETICA_12, "Helvetica 12"},
    {GLUT_BITMAP_HELVETICA_18, "Helvetica 18"},
};

const unsigned char sample[] = "Queen g7+ {~}";

void bitmapLines() {
  int y = windowSize - 18;
  for (const Font& f : bitmapFonts) {
    glColor3f(0.9f, 0.9f, 0.5f);
    glRasterPos2i(4, y);
    glutBitmapString(f.font, sample);
    // The colour after the raster position is not the text's.
    glColor3f(1, 0.3f, 0.3f);
    glutBitmapCharacter(f.font, '!');
    y -= glutBitmapHeight(f.font) + 2;
  }
}

void strokeLines() {
  glColor3f(0.5f, 0.9f, 1);
  glPushMatrix();
  glTranslatef(6, 40, 0);
  glScalef(0.16f, 0.16f, 1);
  glutStrokeString(GLUT_STROKE_ROMAN, reinterpret_cast<const unsigned char*>("Rook e4"));
  glPopMatrix();
  glColor3f(0.6f, 1, 0.6f);
  glLineWidth(2);
  glPushMatrix();
  glTranslatef(140, 8, 0);
  glRotatef(20, 0, 0, 1);
  glScalef(0.12f, 0.2f, 1);
  for (const char* c = "Mono"; *c != '\0'; ++c) glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, *c);
  glPopMatrix();
  glLineWidth(1);
}

void display() {
  glClearColor(0.08f, 0.08f, 0.12f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowSize, 0, windowSize, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  bitmapLines();
  strokeLines();
  sayErrors("in a frame");
  glutSwapBuffers();
}

void sayMeasures() {
  for (const Font& f : bitmapFonts) {
    std::printf("%s: height %d, width of W %d, length %d\n", f.name, glutBitmapHeight(f.font),
                glutBitmapWidth(f.font, 'W'), glutBitmapLength(f.font, sample));
  }
  std::printf("stroke: height %.2f, width of W %d, length %d; mono: width of i %.2f\n",
              double(glutStrokeHeight(GLUT_STROKE_ROMAN)), glutStrokeWidth(GLUT_STROKE_ROMAN, 'W'),
              glutStrokeLength(GLUT_STROKE_ROMAN, sample),
              double(glutStrokeWidthf(GLUT_STROKE_MONO_ROMAN, 'i')));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "text", display, nullptr, GLUT_RGB | GLUT_DOUBLE);
  sayMeasures();
  glutMainLoop();
}

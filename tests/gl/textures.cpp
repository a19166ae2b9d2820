// Textures as GL 1.1 takes and samples them, in a grid of eight by eight
// cells, row by row from the top: internal formats with fewer bits than a
// byte a component; images of each type and format, through the pixel
// store's parameters; each environment of each base format, over colours
// that vary, blended by their alpha; a one-dimensional texture, the clamp
// with its border colour, a texture of more than a byte a component,
// images replaced in part and copied from the frame, a texture deleted;
// coordinates generated in eye space, on a sphere, for r and q, through
// the texture matrix.

#include <GL/glut.h>

#include <cmath>
#include <vector>

#include "window.h"

namespace {

enum Texture {
  quantized,
  types = quantized + 8,
  environments = types + 8,
  oneD = environments + 6,
  clamped,
  wide,
  replaced,
  copied,
  deleted,
  generated,
  count
};
GLuint names[count];

constexpr int cellSize = 32;

void cell(int column, int row) {
  glLoadIdentity();
  glTranslatef(float(column * cellSize + 2), float((7 - row) * cellSize + 2), 0);
}

// The cell's square, its texture coordinates from `low` to `high`; by
// default the texture once, moved off the pixels' centres a little, where
// the nearest texel would be a tie.
void square(float low = 0.011f, float high = 1.011f) {
  glBegin(GL_QUADS);
  glTexCoord2f(low, low);
  glVertex2f(0, 0);
  glTexCoord2f(high, low);
  glVertex2f(28, 0);
  glTexCoord2f(high, high);
  glVertex2f(28, 28);
  glTexCoord2f(low, high);
  glVertex2f(0, 28);
  glEnd();
}

void bind(GLenum target, int texture) {
  glBindTexture(target, names[texture]);
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// Eight by eight texels of colours and alphas that run each way.
std::vector<GLubyte> pattern() {
  std::vector<GLubyte> texels(8 * 8 * 4);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      GLubyte* t = &texels[(y * 8 + x) * 4];
      t[0] = GLubyte(x * 36 + 3);
      t[1] = GLubyte(y * 36 + 1);
      t[2] = GLubyte(250 - x * 17 - y * 13);
      t[3] = GLubyte(255 - y * 30);
    }
  }
  return texels;
}

void makeQuantized() {
  const GLint formats[8] = {
      GL_R3_G3_B2,          GL_RGB4,    GL_RGB5, GL_RGBA2, GL_RGBA4, GL_RGB5_A1,
      GL_LUMINANCE4_ALPHA4, GL_RGB10_A2};
  const std::vector<GLubyte> texels = pattern();
  for (int i = 0; i < 8; ++i) {
    bind(GL_TEXTURE_2D, quantized + i);
    glTexImage2D(GL_TEXTURE_2D, 0, formats[i], 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  }
}

// The pattern again in other types and formats, some through the pixel
// store.
void makeTypes() {
  std::vector<GLbyte> bytes(8 * 8 * 4);
  std::vector<GLshort> shorts(8 * 8 * 4);
  std::vector<GLuint> uints(8 * 8 * 3);
  std::vector<GLfloat> floats(8 * 8 * 2);
  const std::vector<GLubyte> texels = pattern();
  for (int i = 0; i < 8 * 8; ++i) {
    for (int c = 0; c < 4; ++c) {
      bytes[i * 4 + c] = GLbyte(texels[i * 4 + c] / 2);
      shorts[i * 4 + c] = GLshort(texels[i * 4 + c] * 128 - 16384 * (c == 2));
    }
    for (int c = 0; c < 3; ++c) uints[i * 3 + c] = GLuint(texels[i * 4 + c]) * 16843009u;
    floats[i * 2] = float(texels[i * 4]) / 255.0f;
    floats[i * 2 + 1] = float(texels[i * 4 + 3]) / 255.0f;
  }
  bind(GL_TEXTURE_2D, types);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_BYTE, bytes.data());
  bind(GL_TEXTURE_2D, types + 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_SHORT, shorts.data());
  bind(GL_TEXTURE_2D, types + 2);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_INT, uints.data());
  bind(GL_TEXTURE_2D, types + 3);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, 8, 8, 0, GL_LUMINANCE_ALPHA, GL_FLOAT,
               floats.data());
  // Green alone, taken from the middle of a wider image, rows aligned to
  // eight bytes.
  std::vector<GLubyte> wider(16 * 12, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) wider[(y + 3) * 16 + x + 5] = texels[(y * 8 + x) * 4 + 1];
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 16);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 3);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 5);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  bind(GL_TEXTURE_2D, types + 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_GREEN, GL_UNSIGNED_BYTE, wider.data());
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  // Unsigned shorts with their bytes the other way round.
  std::vector<GLushort> swapped(8 * 8 * 3);
  for (int i = 0; i < 8 * 8; ++i) {
    for (int c = 0; c < 3; ++c) {
      const GLushort v = GLushort(texels[i * 4 + c] << 8 | (255 - texels[i * 4 + c]));
      swapped[i * 3 + c] = GLushort(((v & 0xFF) << 8) | (v >> 8));
    }
  }
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_TRUE);
  bind(GL_TEXTURE_2D, types + 5);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGB, GL_UNSIGNED_SHORT, swapped.data());
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  // Colour indices through the pixel maps, and an image scaled and biased.
  std::vector<GLubyte> indices(8 * 8);
  for (int i = 0; i < 8 * 8; ++i) indices[i] = GLubyte(i % 8 + (i / 8) * 8);
  std::vector<GLfloat> reds(64), greens(64), blues(64), alphas(64);
  for (int i = 0; i < 64; ++i) {
    reds[i] = float(i % 8) / 7;
    greens[i] = float(i / 8) / 7;
    blues[i] = i % 3 == 0 ? 1.0f : 0.2f;
    alphas[i] = 1;
  }
  glPixelMapfv(GL_PIXEL_MAP_I_TO_R, 64, reds.data());
  glPixelMapfv(GL_PIXEL_MAP_I_TO_G, 64, greens.data());
  glPixelMapfv(GL_PIXEL_MAP_I_TO_B, 64, blues.data());
  glPixelMapfv(GL_PIXEL_MAP_I_TO_A, 64, alphas.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  bind(GL_TEXTURE_2D, types + 6);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_COLOR_INDEX, GL_UNSIGNED_BYTE, indices.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelTransferf(GL_RED_SCALE, 0.5f);
  glPixelTransferf(GL_BLUE_BIAS, 0.4f);
  bind(GL_TEXTURE_2D, types + 7);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glPixelTransferf(GL_RED_SCALE, 1);
  glPixelTransferf(GL_BLUE_BIAS, 0);
}

const GLint baseFormats[6] = {GL_ALPHA,     GL_LUMINANCE, GL_LUMINANCE_ALPHA,
                              GL_INTENSITY, GL_RGB,       GL_RGBA};

void makeEnvironments() {
  const std::vector<GLubyte> texels = pattern();
  for (int i = 0; i < 6; ++i) {
    bind(GL_TEXTURE_2D, environments + i);
    glTexImage2D(GL_TEXTURE_2D, 0, baseFormats[i], 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
  }
}

void makeOthers() {
  GLubyte stripes[16 * 3];
  for (int i = 0; i < 16; ++i) {
    stripes[i * 3] = GLubyte(i * 16);
    stripes[i * 3 + 1] = GLubyte(i % 2 ? 220 : 40);
    stripes[i * 3 + 2] = GLubyte(255 - i * 16);
  }
  bind(GL_TEXTURE_1D, oneD);
  glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, 16, 0, GL_RGB, GL_UNSIGNED_BYTE, stripes);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  const GLubyte four[4 * 3] = {250, 40, 40, 40, 250, 40, 40, 40, 250, 250, 250, 40};
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  bind(GL_TEXTURE_2D, clamped);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, four);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  const GLfloat border[4] = {0.1f, 0.3f, 0.9f, 1};
  glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
  bind(GL_TEXTURE_2D, wide);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB16, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, four);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  const std::vector<GLubyte> texels = pattern();
  bind(GL_TEXTURE_2D, replaced);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  const GLubyte patch[3 * 2 * 4] = {255, 255, 255, 255, 0,   0,   0,   255, 255, 255, 255, 255,
                                    0,   0,   0,   255, 255, 255, 255, 255, 0,   0,   0,   255};
  glTexSubImage2D(GL_TEXTURE_2D, 0, 2, 5, 3, 2, GL_RGBA, GL_UNSIGNED_BYTE, patch);
  // A texture made and deleted: its name bound again is a new texture
  // without an image, so the square is drawn untextured.
  bind(GL_TEXTURE_2D, deleted);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glDeleteTextures(1, &names[deleted]);
  bind(GL_TEXTURE_2D, generated);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  // Texture 0 has an image of its own.
  glBindTexture(GL_TEXTURE_2D, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, four);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

void makeTextures() {
  glGenTextures(count, names);
  makeQuantized();
  makeTypes();
  makeEnvironments();
  makeOthers();
}

void drawQuantized() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (int i = 0; i < 8; ++i) {
    cell(i, 0);
    glBindTexture(GL_TEXTURE_2D, names[quantized + i]);
    square();
  }
  for (int i = 0; i < 8; ++i) {
    cell(i, 1);
    glBindTexture(GL_TEXTURE_2D, names[types + i]);
    square();
  }
  glDisable(GL_BLEND);
}

// Colours that vary over the square, their alpha too.
void colouredSquare() {
  glBegin(GL_QUADS);
  glColor4f(1, 0.8f, 0.2f, 1);
  glTexCoord2f(0.011f, 0.011f);
  glVertex2f(0, 0);
  glColor4f(0.2f, 1, 0.4f, 0.7f);
  glTexCoord2f(1.011f, 0.011f);
  glVertex2f(28, 0);
  glColor4f(0.3f, 0.4f, 1, 0.4f);
  glTexCoord2f(1.011f, 1.011f);
  glVertex2f(28, 28);
  glColor4f(0.9f, 0.9f, 0.9f, 0.9f);
  glTexCoord2f(0.011f, 1.011f);
  glVertex2f(0, 28);
  glEnd();
  glColor4f(1, 1, 1, 1);
}

void drawEnvironments() {
  const GLenum modes[4] = {GL_MODULATE, GL_DECAL, GL_BLEND, GL_REPLACE};
  const GLfloat colour[4] = {0.2f, 0.6f, 1, 0.5f};
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colour);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (int m = 0; m < 4; ++m) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLint(modes[m]));
    for (int f = 0; f < 6; ++f) {
      // Decal is GL's for RGB and RGBA textures alone.
      if (modes[m] == GL_DECAL && f < 4) continue;
      const int at = m == 0 ? f : m == 1 ? f + 2 : m * 6 + f - 4;
      cell(at % 8, 2 + at / 8);
      glBindTexture(GL_TEXTURE_2D, names[environments + f]);
      colouredSquare();
    }
  }
  glDisable(GL_BLEND);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void drawOthers() {
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_1D);
  glBindTexture(GL_TEXTURE_1D, names[oneD]);
  cell(0, 5);
  square(-0.2f, 1.3f);
  glDisable(GL_TEXTURE_1D);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, names[clamped]);
  cell(1, 5);
  square(-0.5f, 1.5f);
  glBindTexture(GL_TEXTURE_2D, names[wide]);
  cell(2, 5);
  square(-0.5f, 1.5f);
  glBindTexture(GL_TEXTURE_2D, names[replaced]);
  cell(3, 5);
  square();
  // The replaced square's middle, copied whole and in part from the frame.
  bind(GL_TEXTURE_2D, copied);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3 * cellSize + 6, 2 * cellSize + 6, 16, 16, 0);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 2 * cellSize + 2, 2 * cellSize + 2, 8, 4);
  cell(4, 5);
  square();
  glBindTexture(GL_TEXTURE_2D, names[deleted]);
  cell(5, 5);
  square();
  glBindTexture(GL_TEXTURE_2D, 0);
  cell(6, 5);
  square();
}

// Coordinates generated from planes in eye space, set under a turn that
// the square is not drawn under.
void eyeLinear() {
  glPushMatrix();
  glRotatef(30, 0, 0, 1);
  const GLfloat s[4] = {0.05f, 0, 0, 0}, t[4] = {0, 0.04f, 0, 0.2f};
  glTexGenfv(GL_S, GL_EYE_PLANE, s);
  glTexGenfv(GL_T, GL_EYE_PLANE, t);
  glPopMatrix();
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  cell(0, 6);
  square();
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

// A ball of normals, its coordinates from the sphere map.
void sphereMap() {
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  cell(1, 6);
  glTranslatef(14, 14, 0);
  for (int ring = 0; ring < 6; ++ring) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i <= 12; ++i) {
      for (int k = 0; k < 2; ++k) {
        const float r = float(ring + k) / 6, a = float(i) * 0.5236f;
        const float z = std::sqrt(std::max(0.0f, 1 - r * r));
        glNormal3f(r * std::cos(a), r * std::sin(a), z);
        glVertex3f(14 * r * std::cos(a), 14 * r * std::sin(a), 0);
      }
    }
    glEnd();
  }
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

// r generated from x and moved into s by the texture matrix; q generated
// from y, dividing the coordinates.
void rAndQ() {
  const GLfloat r[4] = {0.04f, 0, 0, 0}, q[4] = {0, 0.05f, 0, 1};
  glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGenfv(GL_R, GL_OBJECT_PLANE, r);
  glEnable(GL_TEXTURE_GEN_R);
  const GLfloat swap[16] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixf(swap);
  glMatrixMode(GL_MODELVIEW);
  cell(2, 6);
  square();
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_TEXTURE_GEN_R);
  glTexGeni(GL_Q, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGenfv(GL_Q, GL_OBJECT_PLANE, q);
  glEnable(GL_TEXTURE_GEN_Q);
  cell(3, 6);
  square(0, 2);
  glDisable(GL_TEXTURE_GEN_Q);
}

void display() {
  glClearColor(0.45f, 0.45f, 0.5f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, windowSize, 0, windowSize, -40, 40);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  drawQuantized();
  drawEnvironments();
  drawOthers();
  glBindTexture(GL_TEXTURE_2D, names[generated]);
  eyeLinear();
  sphereMap();
  rAndQ();
  glDisable(GL_TEXTURE_2D);
  sayErrors("in a frame");
  glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
  openWindow(&argc, argv, "textures", display);
  makeTextures();
  glutMainLoop();
}

#include "scene/board.h"

#include "app/gl.h"
#include "app/state.h"
#include "scene/dimensions.h"

const float darkSquareColor[4] = {0.1f, 0.4f, 0.25f, 1.0f};
const float lightSquareColor[4] = {0.5f, 0.8f, 0.75f, 1.0f};
const float frameColor[4] = {0.1f, 0.6f, 0.45f, 1.0f};

namespace {

struct Corner {
  float x, y, z;
};

// Each quad is its own begin/end pair with one normal before its corners.
void drawQuad(float nx, float ny, float nz, const Corner (&c)[4]) {
  glBegin(GL_QUADS);
  glNormal3f(nx, ny, nz);
  for (const Corner& p : c) {
    glVertex3f(p.x, p.y, p.z);
  }
  glEnd();
}

// Object-linear coordinates shear the marble across the slab, so the
// squares, rim and walls each show a different part of it.
void startTextureGeneration() {
  const float sPlane[] = {0.5f, 0.0f, 0.5f, 0.0f};
  const float tPlane[] = {0.5f, 0.5f, 0.0f, 0.0f};
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGenfv(GL_S, GL_OBJECT_PLANE, sPlane);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
  glTexGenfv(GL_T, GL_OBJECT_PLANE, tPlane);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
}

// Top face first, then the bottom one, both checkered the same way so the
// squares also show when the board is turned over.
void drawSquares() {
  const float w = squareSize;
  const float h = boardThickness;
  for (int f = 0; f < 2; ++f) {
    const float z = (0.5f - f) * h;
    const float n = 1.0f - 2.0f * f;
    for (int i = 0; i < 8; ++i) {
      for (int j = 0; j < 8; ++j) {
        const float* color = (i + j) % 2 == 0 ? darkSquareColor : lightSquareColor;
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, color);
        drawQuad(0.0f, 0.0f, n,
                 {{i * w, j * w, z},
                  {(i + 1) * w, j * w, z},
                  {(i + 1) * w, (j + 1) * w, z},
                  {i * w, (j + 1) * w, z}});
      }
    }
  }
}

// Pass k = 0 draws the two low side walls and the top rim, k = 1 the two
// high walls and the bottom rim. The rim's four trapezoids meet in 45-degree
// mitres at the corners.
void drawFrame() {
  const float w = squareSize;
  const float h = boardThickness;
  const float rimEnd = 8 * w + h;  // where the slab ends, beyond the field
  for (int k = 0; k < 2; ++k) {
    const float a = 0.5f - k;
    const float outer = 8 * w * k - 2 * a * h;
    const float n = 2.0f * k - 1.0f;
    const float z = a * h;
    drawQuad(
        n, 0.0f, 0.0f,
        {{outer, rimEnd, h / 2}, {outer, -h, h / 2}, {outer, -h, -h / 2}, {outer, rimEnd, -h / 2}});
    drawQuad(
        0.0f, n, 0.0f,
        {{rimEnd, outer, h / 2}, {-h, outer, h / 2}, {-h, outer, -h / 2}, {rimEnd, outer, -h / 2}});
    for (int m = 0; m < 2; ++m) {
      const float b = 0.5f - m;
      const float inner = 8 * w * m;
      const float edge = inner - 2 * b * h;
      drawQuad(0.0f, 0.0f, 2 * a,
               {{inner, 0.0f, z}, {inner, 8 * w, z}, {edge, rimEnd, z}, {edge, -h, z}});
      drawQuad(0.0f, 0.0f, 2 * a,
               {{0.0f, inner, z}, {8 * w, inner, z}, {rimEnd, edge, z}, {-h, edge, z}});
    }
  }
}

}  // namespace

void drawBoard() {
  const float boardSpecular[] = {0.7f, 0.7f, 0.7f, 1.0f};
  glBindTexture(GL_TEXTURE_2D, textureId);
  startTextureGeneration();
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, boardSpecular);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 10.0f);
  // Centre the board on the scene's origin, about which the view turns it.
  glTranslated(-4.0 * squareSize, -4.0 * squareSize, 0.0);
  drawSquares();
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, frameColor);
  drawFrame();
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

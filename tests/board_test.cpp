// The board as GL receives it: captured in feedback mode in a real context.

#include "scene/board.h"

#include <cmath>

#include "app/state.h"
#include "gl_context.h"

namespace {

struct Quad {
  float normal[3];
  float corners[4][3];
};

// The board frame sits 1.6 units off the frame drawBoard is called in.
constexpr float offset = 1.6f;

// The twelve frame quads after the squares, in the order they must come.
const Quad frameQuads[12] = {
    {{-1, 0, 0},
     {{-0.2f, 3.4f, 0.1f}, {-0.2f, -0.2f, 0.1f}, {-0.2f, -0.2f, -0.1f}, {-0.2f, 3.4f, -0.1f}}},
    {{0, -1, 0},
     {{3.4f, -0.2f, 0.1f}, {-0.2f, -0.2f, 0.1f}, {-0.2f, -0.2f, -0.1f}, {3.4f, -0.2f, -0.1f}}},
    {{0, 0, 1}, {{0, 0, 0.1f}, {0, 3.2f, 0.1f}, {-0.2f, 3.4f, 0.1f}, {-0.2f, -0.2f, 0.1f}}},
    {{0, 0, 1}, {{0, 0, 0.1f}, {3.2f, 0, 0.1f}, {3.4f, -0.2f, 0.1f}, {-0.2f, -0.2f, 0.1f}}},
    {{0, 0, 1}, {{3.2f, 0, 0.1f}, {3.2f, 3.2f, 0.1f}, {3.4f, 3.4f, 0.1f}, {3.4f, -0.2f, 0.1f}}},
    {{0, 0, 1}, {{0, 3.2f, 0.1f}, {3.2f, 3.2f, 0.1f}, {3.4f, 3.4f, 0.1f}, {-0.2f, 3.4f, 0.1f}}},
    {{1, 0, 0},
     {{3.4f, 3.4f, 0.1f}, {3.4f, -0.2f, 0.1f}, {3.4f, -0.2f, -0.1f}, {3.4f, 3.4f, -0.1f}}},
    {{0, 1, 0},
     {{3.4f, 3.4f, 0.1f}, {-0.2f, 3.4f, 0.1f}, {-0.2f, 3.4f, -0.1f}, {3.4f, 3.4f, -0.1f}}},
    {{0, 0, -1}, {{0, 0, -0.1f}, {0, 3.2f, -0.1f}, {-0.2f, 3.4f, -0.1f}, {-0.2f, -0.2f, -0.1f}}},
    {{0, 0, -1}, {{0, 0, -0.1f}, {3.2f, 0, -0.1f}, {3.4f, -0.2f, -0.1f}, {-0.2f, -0.2f, -0.1f}}},
    {{0, 0, -1},
     {{3.2f, 0, -0.1f}, {3.2f, 3.2f, -0.1f}, {3.4f, 3.4f, -0.1f}, {3.4f, -0.2f, -0.1f}}},
    {{0, 0, -1},
     {{0, 3.2f, -0.1f}, {3.2f, 3.2f, -0.1f}, {3.4f, 3.4f, -0.1f}, {-0.2f, 3.4f, -0.1f}}},
};

// Quad n of the 140 the board must emit: 64 top squares, 64 bottom squares
// (column by column, rows innermost, so square (i, j) is 8i + j on top and
// 64 + 8i + j underneath), then the frame. Square (0, 0) is dark.
Quad expectedQuad(int n) {
  if (n >= 128) return frameQuads[n - 128];
  const int f = n / 64, i = n % 64 / 8, j = n % 8;
  const float z = f == 0 ? 0.1f : -0.1f, w = 0.4f;
  return {{0, 0, f == 0 ? 1.0f : -1.0f},
          {{i * w, j * w, z},
           {(i + 1) * w, j * w, z},
           {(i + 1) * w, (j + 1) * w, z},
           {i * w, (j + 1) * w, z}}};
}

const float* expectedColor(int n) {
  if (n >= 128) return frameColor;
  const int i = n % 64 / 8, j = n % 8;
  return (i + j) % 2 == 0 ? darkSquareColor : lightSquareColor;
}

class BoardTest : public GlTest {};

}  // namespace

TEST_F(BoardTest, EmitsEveryQuadInOrderWithItsCornersAndMaterial) {
  useAmbientOnlyLighting();
  const auto polygons = captureFeedback(drawBoard);
  ASSERT_EQ(polygons.size(), 140u);
  for (int n = 0; n < 140; ++n) {
    SCOPED_TRACE("quad " + std::to_string(n));
    const Quad quad = expectedQuad(n);
    ASSERT_EQ(polygons[n].size(), 4u);
    for (int v = 0; v < 4; ++v) {
      const FeedbackVertex& got = polygons[n][v];
      EXPECT_NEAR(got.x + offset, quad.corners[v][0], 1e-4);
      EXPECT_NEAR(got.y + offset, quad.corners[v][1], 1e-4);
      EXPECT_NEAR(got.z, quad.corners[v][2], 1e-4);
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(got.color[c], expectedColor(n)[c], 1e-3);
    }
  }
  // In the caller's frame the first square, dark, spans -1.6 to -1.2.
  EXPECT_NEAR(polygons[0][0].x, -1.6f, 1e-4);
  EXPECT_NEAR(polygons[0][2].y, -1.2f, 1e-4);
}

// With a single directional light, a quad is lit exactly when its normal
// points at the light, since every normal lies along an axis.
TEST_F(BoardTest, EveryNormalPointsOutOfTheSlab) {
  const float axes[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  for (const auto& axis : axes) {
    useDirectionalLighting(axis[0], axis[1], axis[2]);
    const auto polygons = captureFeedback(drawBoard);
    ASSERT_EQ(polygons.size(), 140u);
    for (int n = 0; n < 140; ++n) {
      const Quad quad = expectedQuad(n);
      const bool facesLight =
          quad.normal[0] == axis[0] && quad.normal[1] == axis[1] && quad.normal[2] == axis[2];
      const float expected = facesLight ? expectedColor(n)[1] : 0.0f;
      EXPECT_NEAR(polygons[n][0].color[1], expected, 1e-3)
          << "quad " << n << ", light along " << axis[0] << "," << axis[1] << "," << axis[2];
    }
  }
  glDisable(GL_LIGHTING);
}

TEST_F(BoardTest, GeneratesShearedTextureCoordinatesFromBoardCoordinates) {
  useAmbientOnlyLighting();
  // GL generates coordinates only for a texture that can be applied.
  const unsigned char texel[4] = {255, 255, 255, 255};
  glGenTextures(1, &textureId);
  glBindTexture(GL_TEXTURE_2D, textureId);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  glEnable(GL_TEXTURE_2D);
  const auto polygons = captureFeedback(drawBoard);
  ASSERT_EQ(polygons.size(), 140u);
  for (const auto& polygon : polygons) {
    for (const auto& v : polygon) {
      const float x = v.x + offset, y = v.y + offset;
      EXPECT_NEAR(v.s, 0.5f * x + 0.5f * v.z, 1e-4);
      EXPECT_NEAR(v.t, 0.5f * x + 0.5f * y, 1e-4);
    }
  }
  // The worked points: (0, 0, 0.1), the outer top corner (3.4, 3.4, 0.1)
  // and the outer bottom corner (-0.2, -0.2, -0.1).
  EXPECT_NEAR(polygons[0][0].s, 0.05f, 1e-4);
  EXPECT_NEAR(polygons[0][0].t, 0.0f, 1e-4);
  const FeedbackVertex& topCorner = polygons[128 + 6][0];
  EXPECT_NEAR(topCorner.s, 1.75f, 1e-4);
  EXPECT_NEAR(topCorner.t, 3.4f, 1e-4);
  const FeedbackVertex& bottomCorner = polygons[128][2];
  EXPECT_NEAR(bottomCorner.s, -0.15f, 1e-4);
  EXPECT_NEAR(bottomCorner.t, -0.2f, 1e-4);
  glDeleteTextures(1, &textureId);
  textureId = 0;
}

TEST_F(BoardTest, LeavesTheBoardFrameAndFrameMaterialBehind) {
  textureId = 0;
  glRotatef(30, 1, 2, 3);
  const auto entry = currentMatrix(GL_MODELVIEW_MATRIX);
  glTranslated(-1.6, -1.6, 0);
  const auto expected = currentMatrix(GL_MODELVIEW_MATRIX);
  glLoadMatrixf(entry.data());
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);

  drawBoard();

  expectMatrix(GL_MODELVIEW_MATRIX, expected);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
  expectMaterial(frameColor, 0.7f, 10.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

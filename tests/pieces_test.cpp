// The pieces, seen straight from above in a real context.

#include "scene/pieces.h"

#include <malloc.h>

#include <cmath>

#include "gl_context.h"

namespace {

// An orthographic top view of the board frame: 150 pixels a unit, the
// board's centre (1.6, 1.6) at the window's centre, lit so every surface
// shows its material's ambient colour. Only the pieces are drawn.
class PiecesTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    useAmbientOnlyLighting();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 2, -2, 2, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glTranslated(-1.6, -1.6, 0);
    glPushMatrix();
    drawPieces();
    glPopMatrix();
    glFinish();
  }

  // The grey level at a board-frame point of the top view.
  static int level(double x, double y) {
    unsigned char rgb[3];
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const int px = static_cast<int>(std::lround((x - 1.6) * 150 + 300));
    const int py = static_cast<int>(std::lround((y - 1.6) * 150 + 300));
    glReadPixels(px, py, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return rgb[1];
  }

  static constexpr int light = 230;  // 0.9 of 255
  static constexpr int dark = 102;   // 0.4 of 255
};

struct Upright {
  double x, y;
  int level;
};

}  // namespace

TEST_F(PiecesTest, UprightPiecesAreDiscsOfPieceRadiusOnTheirSquares) {
  const Upright pieces[] = {
      {1.4, 1.8, light}, {0.6, 2.6, light}, {0.6, 1.4, light}, {2.2, 2.2, dark}, {2.6, 0.6, dark}};
  const double r = 0.18;
  for (const Upright& p : pieces) {
    SCOPED_TRACE("piece at " + std::to_string(p.x) + "," + std::to_string(p.y));
    EXPECT_NEAR(level(p.x, p.y), p.level, 2);
    for (const auto& d : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      EXPECT_NE(level(p.x + d.first * 0.9 * r, p.y + d.second * 0.9 * r), 0) << "inside";
      EXPECT_EQ(level(p.x + d.first * 1.1 * r, p.y + d.second * 1.1 * r), 0) << "outside";
    }
  }
}

// The tipped piece's axis is +z turned 100 degrees about (0.7, 0.4, 0):
// (0.488, -0.855, -0.174). It reaches from 0.1 to 0.6175 along it.
TEST_F(PiecesTest, TippedPieceLiesAcrossItsSquareHeadTowardsPlusXMinusY) {
  const double origin[2] = {1.8, 1.4};
  const double axis[2] = {0.488, -0.855};
  auto along = [&](double d, int index) { return origin[index] + d * axis[index]; };
  EXPECT_NEAR(level(along(0.505, 0), along(0.505, 1)), dark, 2) << "head";
  EXPECT_NEAR(level(along(0.3, 0), along(0.3, 1)), dark, 2) << "body";
  EXPECT_EQ(level(along(0.7, 0), along(0.7, 1)), 0) << "beyond the head";
  EXPECT_EQ(level(along(-0.1, 0), along(-0.1, 1)), 0) << "behind the base";
}

TEST_F(PiecesTest, LeavesDarkMaterialAndTheTippedPieceTransform) {
  glLoadIdentity();
  drawPieces();
  expectMaterial(darkPieceColor, 1.0f, 80.0f);
  const auto after = currentMatrix(GL_MODELVIEW_MATRIX);
  glLoadIdentity();
  glTranslated(1.8f, 1.4f, 0.1 + 0.18);
  glRotatef(100, 0.7f, 0.4f, 0);
  const auto expected = currentMatrix(GL_MODELVIEW_MATRIX);
  glLoadMatrixf(after.data());
  expectMatrix(GL_MODELVIEW_MATRIX, expected);

  glLoadIdentity();
  drawPiece(0.6f, 1.4f);
  const auto untouched = currentMatrix(GL_MODELVIEW_MATRIX);
  for (int k = 0; k < 16; ++k) EXPECT_FLOAT_EQ(untouched[k], k % 5 == 0 ? 1.0f : 0.0f);
}

// Every quadric made for a cylinder or a disk is deleted again, so drawing
// frame after frame does not grow the heap: a few hundred frames' worth of
// pieces, drawn into a single pixel to keep it quick.
TEST_F(PiecesTest, HundredsOfFramesLeaveTheHeapAsItWas) {
  glViewport(0, 0, 1, 1);
  auto drawFrames = [](int count) {
    for (int i = 0; i < count; ++i) {
      glPushMatrix();
      drawPieces();
      glPopMatrix();
      glFinish();
    }
  };
  drawFrames(20);
  const std::size_t before = mallinfo2().uordblks;
  drawFrames(300);
  const std::size_t after = mallinfo2().uordblks;
  EXPECT_LT(after, before + 4096) << "heap grew by " << after - before << " bytes";
}

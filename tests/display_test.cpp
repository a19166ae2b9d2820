// Whole frames drawn by the display callback in a real context.

#include "app/display.h"

#include <GL/glu.h>

#include "app/state.h"
#include "gl_context.h"

namespace {

class DisplayTest : public ProgramTest {
 protected:
  // Where a board-frame point lands in the window, with the matrices the
  // frame was drawn with; y counted from the bottom as GL does.
  static void project(double x, double y, double z, double* wx, double* wy) {
    double model[16], projection[16], wz;
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushMatrix();
    glTranslated(-1.6, -1.6, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    gluProject(x, y, z, model, projection, viewport, wx, wy, &wz);
  }

  static std::array<int, 3> pixel(double x, double y) {
    unsigned char rgb[3];
    // Mesa's software path keeps the frame in the back buffer after the swap.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(static_cast<int>(x), static_cast<int>(y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }
};

void expectVector(const float* got, std::initializer_list<float> want, const char* what) {
  int k = 0;
  for (float w : want) EXPECT_NEAR(got[k++], w, 1e-5) << what << "[" << k - 1 << "]";
}

const std::array<int, 3> grey = {102, 102, 102};

}  // namespace

TEST_F(DisplayTest, FrameShowsTheBoardOnGrey) {
  display();
  glFinish();
  EXPECT_EQ(pixel(2, 2), grey);
  EXPECT_EQ(pixel(597, 597), grey);
  // Every corner square's centre shows board, and points well outside each
  // outer corner of the slab show the background.
  const double corners[4][2] = {{0.2, 0.2}, {3.0, 0.2}, {0.2, 3.0}, {3.0, 3.0}};
  for (const auto& c : corners) {
    double wx, wy, ox, oy;
    project(c[0], c[1], 0.1, &wx, &wy);
    EXPECT_NE(pixel(wx, wy), grey) << "square at " << c[0] << "," << c[1];
    const double outward[2] = {c[0] < 1.6 ? -0.45 : 3.65, c[1] < 1.6 ? -0.45 : 3.65};
    project(outward[0], outward[1], 0.0, &ox, &oy);
    ASSERT_TRUE(ox >= 0 && ox < 600 && oy >= 0 && oy < 600);
    EXPECT_EQ(pixel(ox, oy), grey) << "outside " << outward[0] << "," << outward[1];
  }
}

// The light is placed in the viewer's frame, before the turns; the scene's
// push and pop leave only the turns on the matrix.
TEST_F(DisplayTest, SpotlightFollowsThePointerNotTheScene) {
  mouseX = 300;
  mouseY = 300;
  rotZ = 90;
  display();
  float value[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, value);
  expectVector(value, {0, 0, 1.8f, 0.7f}, "position");
  glGetLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, value);
  expectVector(value, {0, 0, -1.8f}, "direction");

  const auto modelview = currentMatrix(GL_MODELVIEW_MATRIX);
  glLoadIdentity();
  glRotatef(-50, 1, 0, 0);
  glRotatef(-5, 0, 1, 0);
  glRotatef(90, 0, 0, 1);
  const auto expected = currentMatrix(GL_MODELVIEW_MATRIX);
  glLoadMatrixf(modelview.data());
  expectMatrix(GL_MODELVIEW_MATRIX, expected);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

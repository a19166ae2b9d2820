// The input callbacks in a real context: what they change and what the next
// frame makes of it.

#include "app/input.h"

#include "app/display.h"
#include "app/state.h"
#include "gl_context.h"

namespace {

class InputTest : public ProgramTest {
 protected:
  void TearDown() override { reshape(600, 600); }

  static void keys(const char* text) {
    for (const char* k = text; *k != '\0'; ++k) keyboard(static_cast<unsigned char>(*k), 0, 0);
  }
  static std::array<float, 4> lightPosition() {
    std::array<float, 4> position{};
    glGetLightfv(GL_LIGHT0, GL_POSITION, position.data());
    return position;
  }
};

}  // namespace

TEST_F(InputTest, LettersTurnTheirAxesAndOtherKeysChangeNothing) {
  keys("xxxxxxxxxx");
  EXPECT_EQ(rotX, 0);
  keys("xxxxxxxxxx");
  EXPECT_EQ(rotX, 50);
  keys("Z");
  EXPECT_EQ(rotZ, -5);
  keys("z");
  EXPECT_EQ(rotZ, 0);
  keys("yY");
  EXPECT_EQ(rotY, -5);
  keys("YYy");
  EXPECT_EQ(rotY, -10);
  keys("a5 \t\r@");
  keyboard(200, 0, 0);
  EXPECT_EQ(rotX, 50);
  EXPECT_EQ(rotY, -10);
  EXPECT_EQ(rotZ, 0);
  EXPECT_EQ(mouseX, 400);
}

TEST_F(InputTest, ReshapeSetsViewportAndTheLightMappingButNotTheProjection) {
  reshape(300, 600);
  EXPECT_EQ(windowWidth, 300);
  EXPECT_EQ(windowHeight, 600);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 300);
  EXPECT_EQ(viewport[3], 600);
  mouseMotion(150, 300);
  display();
  EXPECT_FLOAT_EQ(lightPosition()[0], 0);
  EXPECT_FLOAT_EQ(lightPosition()[1], 0);
  // The frustum stays square; the picture is stretched to the viewport.
  const auto projection = currentMatrix(GL_PROJECTION_MATRIX);
  EXPECT_FLOAT_EQ(projection[0], projection[5]);
}

// The marble texture made in a real context from files in the working
// directory.

#include "texture/texture.h"

#include <unistd.h>

#include "app/state.h"
#include "bmp_files.h"
#include "gl_context.h"

namespace {

class TextureTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    textureId = 0;
    ASSERT_NE(getcwd(home, sizeof home), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(home), 0);
    if (textureId != 0) glDeleteTextures(1, &textureId);
    textureId = 0;
  }

  static std::string loadAndCapture() {
    ::testing::internal::CaptureStdout();
    loadTexture();
    return ::testing::internal::GetCapturedStdout();
  }
  static GLint parameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
  }

  TempDir dir;
  char home[4096] = {};
};

}  // namespace

TEST_F(TextureTest, HoldsTheFilesPictureWithRepeatLinearAndModulate) {
  // Widths of 8 and 5: rows aligned as GL expects by default, and not.
  for (int width : {8, 5}) {
    SCOPED_TRACE("width " + std::to_string(width));
    const Picture picture{width, 3};
    writeFile("marmor.bmp", encodeBmp(picture));
    EXPECT_EQ(loadAndCapture(), "");
    ASSERT_NE(textureId, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), textureId);

    std::vector<std::uint8_t> pixels(width * 3 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels, picture.rgbBottomUp());
    GLint unpack = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    EXPECT_EQ(unpack, 4) << "the default alignment is restored";

    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &textureId);
    textureId = 0;
  }
}

TEST_F(TextureTest, AFileThatCannotBeReadMakesNoTexture) {
  glBindTexture(GL_TEXTURE_2D, 0);
  EXPECT_EQ(loadAndCapture(), "File Not Found : marmor.bmp\n");
  EXPECT_EQ(textureId, 0u);
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0) << "no GL texture call was made";

  BmpLayout palette;
  palette.bitsPerPixel = 8;
  writeFile("marmor.bmp", encodeBmp(Picture{4, 4}, palette));
  EXPECT_EQ(loadAndCapture(), "Bpp from marmor.bmp is not 24: 8\n");
  EXPECT_EQ(textureId, 0u);
}

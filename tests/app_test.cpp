// The program as a user meets it: started as a process on the test's own
// X server, its output read, its window found and looked at.

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "app_session.h"

TEST_F(AppTest, PrintsUsageAndOpensTheTitledWindowAtTheTopLeft) {
  startIn(emptyDir());
  int x = -1, y = -1, width = 0, height = 0;
  ASSERT_TRUE(viewer->geometry(&x, &y, &width, &height));
  EXPECT_EQ(width, 600);
  EXPECT_EQ(height, 600);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(viewer->output(), usage + "File Not Found : marmor.bmp\n");
}

TEST_F(AppTest, WithTheBundledTextureItPrintsOnlyTheUsageAndShowsMarble) {
  startIn(DATA_DIR);
  EXPECT_EQ(viewer->output(), usage);
  startIn(emptyDir());
  const xdriver::Frame plain = first;
  // The marble's veins cross the squares' smooth shading: the textured
  // board has many more sharp steps between neighbouring pixels.
  startIn(DATA_DIR);
  EXPECT_GT(sharpSteps(first), 2 * sharpSteps(plain)) << sharpSteps(plain);
  keep(first, "marble");
}

TEST_F(AppTest, FirstFrameShowsTheTurnedBoardOnGrey) {
  startIn(emptyDir());
  const xdriver::Frame frame = viewer->grab();
  for (const auto& corner :
       {std::pair{2, 2}, std::pair{597, 2}, std::pair{2, 597}, std::pair{597, 597}}) {
    EXPECT_EQ(frame.at(corner.first, corner.second), grey) << corner.first << "," << corner.second;
  }
  // Turned back by 50 degrees about x, the board is wider than it is tall on
  // screen and sits around the window's centre.
  const Box box = boardBox(frame);
  EXPECT_GT(box.width(), 350);
  EXPECT_LT(box.height(), box.width());
  EXPECT_NEAR((box.left + box.right) / 2.0, 300, 40);
  EXPECT_NEAR((box.top + box.bottom) / 2.0, 300, 60);
  EXPECT_NE(frame.at(300, 300), grey);
}

TEST(AppWithoutDisplay, PrintsUsageThenLeavesItToGlut) {
  const std::string command = std::string("env -u DISPLAY ") + VIEWER_PROGRAM + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  EXPECT_EQ(output, AppTest::usage);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << "status " << status;
}

TEST_F(AppTest, KeysTurnTheSceneAndTheirOppositesTurnItBack) {
  startIn(emptyDir());
  ASSERT_TRUE(viewer->xdotool("key z"));
  const xdriver::Frame turned = nextFrame(first);
  ASSERT_TRUE(viewer->xdotool("key Z"));
  frameLike(first);
  ASSERT_TRUE(viewer->xdotool("key X"));
  nextFrame(first);
  ASSERT_TRUE(viewer->xdotool("key x"));
  frameLike(first);
  EXPECT_GT(xdriver::countDifferences(turned, first), 1000);
}

TEST_F(AppTest, OtherKeysAndArrowsLeaveTheSceneAlone) {
  startIn(emptyDir());
  ASSERT_TRUE(viewer->xdotool("key a 5 space Left Up F1 Return"));
  expectTurnAndBackToFirst();
}

TEST_F(AppTest, SeventyTwoPressesComeFullCircle) {
  startIn(emptyDir());
  ASSERT_TRUE(viewer->xdotool("key --delay 5 --repeat 72 y"));
  // The angle arrives at 355 instead of -5, which rounds a few edge pixels
  // differently.
  expectTurnAndBackToFirst(first.width * first.height / 200);
}

TEST_F(AppTest, EscapeEndsTheProgramAtOnceWithStatusZero) {
  startIn(emptyDir());
  ASSERT_TRUE(viewer->xdotool("key Escape"));
  int status = -1;
  ASSERT_TRUE(viewer->waitForExit(30, &status)) << "still running";
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(viewer->output(), usage + "File Not Found : marmor.bmp\n");
}

TEST_F(AppTest, DraggingMovesTheLightAndPlainMotionDoesNot) {
  startIn(emptyDir());
  // Without a button: nothing moves.
  ASSERT_TRUE(viewer->xdotool("mousemove 50 550"));
  expectTurnAndBackToFirst();
  // With a button held the light follows, and back at the start it is the
  // first frame again.
  ASSERT_TRUE(viewer->xdotool("mousemove 400 200 mousedown 1 mousemove 50 550"));
  const xdriver::Frame moved = nextFrame(first);
  EXPECT_GT(xdriver::countDifferences(moved, first), 1000);
  ASSERT_TRUE(viewer->xdotool("mousemove 400 200 mouseup 1"));
  frameLike(first);
  // Released, the pointer no longer moves the light.
  ASSERT_TRUE(viewer->xdotool("mousemove 50 550"));
  expectTurnAndBackToFirst();
}

TEST_F(AppTest, ResizingStretchesTheSquareViewToTheWindow) {
  startIn(emptyDir());
  ASSERT_TRUE(viewer->xdotool("windowsize " + std::to_string(viewer->window()) + " 300 600"));
  // The shrunk window keeps the left half of the old frame until the new
  // one is drawn.
  xdriver::Frame leftHalf{300, 600, {}};
  for (int y = 0; y < 600; ++y) {
    const auto row = first.rgb.begin() + y * 600 * 3;
    leftHalf.rgb.insert(leftHalf.rgb.end(), row, row + 300 * 3);
  }
  bool ok = false;
  const xdriver::Frame narrow = viewer->waitFor(
      [&](const xdriver::Frame& f) { return f.width == 300 && f.height == 600 && f != leftHalf; },
      30, &ok);
  ASSERT_TRUE(ok) << "no new 300 by 600 frame";
  const Box wide = boardBox(first), half = boardBox(narrow);
  EXPECT_NEAR(half.width(), wide.width() / 2.0, 3);
  EXPECT_NEAR(half.height(), wide.height(), 3);
  EXPECT_NEAR(half.left, wide.left / 2.0, 3);
  EXPECT_NEAR(half.top, wide.top, 3);
}

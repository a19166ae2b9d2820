// The program as a user meets it: started as a process on the test's own
// X server, its output read, its window found and looked at.

#include <sys/wait.h>

#include <cstdio>

#include "app_session.h"

TEST_F(AppTest, PrintsUsageAndOpensTheTitledWindowAtTheTopLeft) {
  startIn(emptyDir());
  int x = -1, y = -1, width = 0, height = 0;
  ASSERT_TRUE(viewer->geometry(&x, &y, &width, &height));
  EXPECT_EQ(width, 600);
  EXPECT_EQ(height, 600);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(viewer->output().substr(0, usage.size()), usage);
}

TEST_F(AppTest, FirstFrameShowsTheTurnedBoardOnGrey) {
  startIn(emptyDir());
  const xdriver::Frame frame = viewer->grab();
  for (const auto& corner : {std::pair{2, 2}, std::pair{597, 2}, std::pair{2, 597}, std::pair{597, 597}}) {
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

// The Windows build as a user meets it under Wine: the program unpacked from
// its zip and started from another folder, its frames compared with the
// same baselines as the Linux program's, its output and exit status checked.
// scripts/check-windows.sh runs it; it names Wine and the program in
// MARBLECHESS_WINE and MARBLECHESS_WINDOWS_PROGRAM.

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "baseline.h"
#include "bmp_files.h"

namespace {

// The marmor.bmp in the folder the program is started from, if any.
enum class Texture { none, palette, controlBytes };

struct Scenario {
  std::string name;
  Texture texture;
  std::vector<Step> steps;  // ESC follows the last one; none: no window may open
  std::string output;       // {folder} stands for the program's folder as Windows names it
  std::vector<std::string> args = {};
  bool contains = false;  // the output holds this, not only this
  bool deep = false;      // the copy unpacked past MAX_PATH characters
};

const std::string usage =
    "Use x/y/z/X/Y/Z-keys to rotate.\n"
    "Move mouse while pressing button to change light position.\n";

const Scenario scenarios[] = {
    {"FindsTheMarbleBesideItself", Texture::none, {{"", "start-marble"}}, usage},
    {"FindsTheMarbleBesideItselfPastMaxPath",
     Texture::none,
     {{"", "start-marble"}},
     usage,
     {},
     false,
     true},
    {"TakesTheFoldersOwnTextureAndTurns",
     Texture::palette,
     {{"", "start-plain"}, {"key x", "turned-x"}, {"key X", "start-plain"}},
     usage + "Bpp from marmor.bmp is not 24: 8\n"},
    // rotX and rotY from -50 and -5 to 0: the board seen from above.
    {"ReadsADarkTextureWhoseBytesLookLikeText",
     Texture::controlBytes,
     {{"key --repeat 10 x key y", "top-view-control-bytes"}},
     usage},
    {"HelpNamesTheMarbleBesideItself",
     Texture::none,
     {},
     "none, the one installed with the program:\n  {folder}\\marmor.bmp\n",
     {"--help"},
     true},
};

// Wine shows the Unix file system as drive Z:.
std::string windowsFolderOf(const std::string& program) {
  std::string folder = "Z:" + program.substr(0, program.rfind('/'));
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}

std::string expectedOutput(const Scenario& scenario, const std::string& program) {
  std::string text = scenario.output;
  const auto at = text.find("{folder}");
  if (at != std::string::npos) text.replace(at, 8, windowsFolderOf(program));
  return text;
}

// Characters, as Windows counts them in a path of these letters.
std::size_t characters(const std::string& utf8) {
  return std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; });
}

// The console's line ends are Windows' own.
std::string withoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

void PrintTo(const Scenario& c, std::ostream* os) {
  *os << c.name;
}

class WindowsTest : public ::testing::TestWithParam<Scenario> {};

}  // namespace

TEST_P(WindowsTest, ShowsItsFramesAndEnds) {
  const Scenario& scenario = GetParam();
  const char* wine = std::getenv("MARBLECHESS_WINE");
  const char* program = std::getenv(scenario.deep ? "MARBLECHESS_WINDOWS_DEEP_PROGRAM"
                                                  : "MARBLECHESS_WINDOWS_PROGRAM");
  ASSERT_TRUE(wine != nullptr && program != nullptr)
      << "MARBLECHESS_WINE, MARBLECHESS_WINDOWS_PROGRAM or MARBLECHESS_WINDOWS_DEEP_PROGRAM is not "
         "set";
  if (scenario.deep) {
    ASSERT_GT(characters(windowsFolderOf(program)), 260u) << program;
  }
  const TempDir dir;
  if (scenario.texture == Texture::palette) {
    BmpLayout layout;
    layout.bitsPerPixel = 8;
    writeFile(dir.file("marmor.bmp"), encodeBmp(Picture{4, 1}, layout));
  } else if (scenario.texture == Texture::controlBytes) {
    writeFile(dir.file("marmor.bmp"), controlBytesBmp());
  }
  std::vector<std::string> command = {wine, program};
  command.insert(command.end(), scenario.args.begin(), scenario.args.end());
  xdriver::Viewer viewer(command, dir.path());
  ASSERT_TRUE(viewer.connected()) << "the test has no X display";
  const std::string expected = expectedOutput(scenario, program);
  if (!scenario.steps.empty()) {
    // Wine takes a while to start its own services.
    ASSERT_NE(viewer.findWindow(60), 0u) << "no window; output: " << viewer.output();
    ASSERT_TRUE(viewer.findArea(600, 600, 20)) << "no 600 by 600 area in the window";
    bool drawn = false;
    viewer.firstFrame(60, &drawn);
    EXPECT_EQ(withoutCarriageReturns(viewer.output()), expected);
    viewer.focus();
    ASSERT_TRUE(showsEachStep(viewer, scenario.steps));
    ASSERT_TRUE(viewer.xdotool("key Escape"));
  }
  int status = -1;
  ASSERT_TRUE(viewer.waitForExit(60, &status)) << "still running";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  const std::string output = withoutCarriageReturns(viewer.output());
  if (scenario.contains) {
    EXPECT_NE(output.find(expected), std::string::npos) << output;
  } else {
    EXPECT_EQ(output, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Wine, WindowsTest, ::testing::ValuesIn(scenarios),
                         [](const auto& info) { return info.param.name; });

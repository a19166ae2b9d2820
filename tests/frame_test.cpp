// The program as a user meets it: started as a process under the test's own
// X server, driven by real key presses and drags, every frame it settles on
// compared with a reviewed baseline, its output and exit status checked.

#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "baseline.h"
#include "bmp_files.h"

namespace {

// Where the viewer starts and what texture it finds. The installed ones run
// a copy of the program from a tree laid out as an install makes it, in a
// folder that has no marmor.bmp or, last, its own palette one.
enum class Texture {
  bundled,
  none,
  palette,
  topDown5x3,
  controlBytes,
  installed,
  installedWithoutData,
  installedWithOwnPalette
};

struct Scenario {
  std::string name;
  Texture texture;
  std::vector<Step> steps;  // ESC follows the last one; none: no window may open
  std::string output;       // everything the viewer prints
  std::vector<std::string> args = {};
  bool onlyStart = false;  // the output only starts so
  bool display = true;
  int status = 0;
  bool fullDisk = false;  // standard output goes to /dev/full; errors are read
};

const std::string usage =
    "Use x/y/z/X/Y/Z-keys to rotate.\n"
    "Move mouse while pressing button to change light position.\n";
const std::string notFound = usage + "File Not Found : marmor.bmp\n";
const std::string refused = usage + "Bpp from marmor.bmp is not 24: 8\n";
const std::string topView = "key --repeat 10 x key y";  // rotX and rotY from -50 and -5 to 0

// Steps whose frame would equal the one before end with a key that turns
// the scene, so their frame shows that everything sent before it was handled.
const Scenario scenarios[] = {
    {"StartsWithTheBundledMarble", Texture::bundled, {{"", "start-marble"}}, usage},
    {"InstalledFindsItsOwnMarble", Texture::installed, {{"", "start-marble"}}, usage},
    {"InstalledWithoutItsDataStartsPlain",
     Texture::installedWithoutData,
     {{"", "start-plain"}},
     notFound},
    {"StartsPlainAndLeavesUnknownOptionsToGlut",
     Texture::none,
     {{"", "start-plain"}},
     notFound,
     {"--no-such-option"}},
    {"RefusesAPaletteTextureAndStartsPlain", Texture::palette, {{"", "start-plain"}}, refused},
    {"InstalledTakesTheFoldersOwnTextureFirst",
     Texture::installedWithOwnPalette,
     {{"", "start-plain"}},
     refused},
    {"ShowsASmallTopDownTextureWithAnOddWidth",
     Texture::topDown5x3,
     {{topView, "top-view-texture-5x3"}},
     usage},
    {"ShowsADarkTextureWhoseBytesLookLikeText",
     Texture::controlBytes,
     {{topView, "top-view-control-bytes"}},
     usage},
    {"TurnsOnEachAxisAndBack",
     Texture::none,
     {{"", "start-plain"},
      {"key x", "turned-x"},
      {"key X", "start-plain"},
      {"key y", "turned-y"},
      {"key Y", "start-plain"},
      {"key z", "turned-z"},
      {"key Z", "start-plain"}},
     notFound},
    {"SeventyTwoPressesComeFullCircle",
     Texture::none,
     {{"key --delay 5 --repeat 72 X key z", "turned-z"}},
     notFound},
    {"KeysOutsideTheTableDoNothing",
     Texture::none,
     {{"key a 5 space Left Up F1 Return z", "turned-z"}},
     notFound},
    {"DragsTheLightToTwoCornersAndBack",
     Texture::none,
     {{"mousemove 400 200 mousedown 1 mousemove 0 0", "light-top-left"},
      {"mouseup 1 mousemove 500 500 mousedown 3 mousemove 599 599", "light-bottom-right"},
      {"mousemove 400 200 mouseup 3", "start-plain"},
      {"mousemove 0 0 key z", "turned-z"}},
     notFound},
    {"ResizesAndStretchesTheSquareView",
     Texture::none,
     {{"windowsize {window} 300 600", "resized-300x600"},
      {"mousedown 1 mousemove 150 300 mouseup 1", "resized-300x600-light-centre"},
      {"windowsize {window} 800 400", "resized-800x400"}},
     notFound},
    {"TurnsTheBoardOverToItsBottomFace",
     Texture::bundled,
     {{"key --repeat 36 x", "turned-over"}},
     usage},
    {"ShowsThePiecesFromAbove", Texture::bundled, {{topView, "top-view"}}, usage},
    {"PrintsTheUsageAndEndsWithoutADisplay", Texture::none, {}, usage, {}, false, false, 1},
    {"HelpOpensNoWindow",
     Texture::none,
     {},
     "Usage: marblechess [GLUT OPTION]...\n",
     {"-iconic", "--help", "--version"},
     true},
    {"VersionOpensNoWindow",
     Texture::none,
     {},
     "marblechess 1.0.0\nCopyright",
     {"--version", "--help"},
     true},
    {"HelpIntoAFullDiskSaysSoAndFails",
     Texture::none,
     {},
     "marblechess: write error: No space left on device\n",
     {"--help"},
     false,
     true,
     1,
     true},
    {"VersionIntoAFullDiskSaysSoAndFails",
     Texture::none,
     {},
     "marblechess: write error: No space left on device\n",
     {"--version"},
     false,
     true,
     1,
     true},
};

struct Start {
  std::string program;
  std::string folder;
};

// A copy of the program in a tree laid out as an install makes it, with or
// without its marble.
std::string installedCopy(const TempDir& dir, bool withData) {
  namespace fs = std::filesystem;
  const fs::path program = fs::path(dir.file("tree")) / "bin" / "marblechess";
  fs::create_directories(program.parent_path());
  fs::copy_file(VIEWER_PROGRAM, program);
  if (withData) {
    const fs::path data = program.parent_path() / DATA_FROM_BIN;
    fs::create_directories(data);
    fs::copy_file(std::string(DATA_DIR) + "/marmor.bmp", data / "marmor.bmp");
  }
  return program;
}

Start prepare(Texture texture, const TempDir& dir) {
  BmpLayout layout;
  std::string program = VIEWER_PROGRAM;
  switch (texture) {
    case Texture::bundled:
      return {program, DATA_DIR};
    case Texture::none:
      break;
    case Texture::installed:
    case Texture::installedWithoutData:
      program = installedCopy(dir, texture == Texture::installed);
      break;
    case Texture::installedWithOwnPalette:
      program = installedCopy(dir, true);
      [[fallthrough]];
    case Texture::palette:
      layout.bitsPerPixel = 8;
      writeFile(dir.file("marmor.bmp"), encodeBmp(Picture{4, 1}, layout));
      break;
    case Texture::topDown5x3:
      layout.topDown = true;
      writeFile(dir.file("marmor.bmp"), encodeBmp(Picture{5, 3}, layout));
      break;
    case Texture::controlBytes:
      writeFile(dir.file("marmor.bmp"), controlBytesBmp());
      break;
  }
  return {program, dir.path()};
}

// Named in test listings by the table's own name.
void PrintTo(const Scenario& c, std::ostream* os) {
  *os << c.name;
}

class ScenarioTest : public ::testing::TestWithParam<Scenario> {};

}  // namespace

TEST_P(ScenarioTest, ShowsItsFramesAndEnds) {
  const Scenario& scenario = GetParam();
  const TempDir dir;
  const Start start = prepare(scenario.texture, dir);
  std::vector<std::string> command = {start.program};
  command.insert(command.end(), scenario.args.begin(), scenario.args.end());
  if (!scenario.display) command.insert(command.begin(), {"env", "-u", "DISPLAY"});
  if (scenario.fullDisk) {
    command.insert(command.begin(), {"sh", "-c", "exec \"$0\" \"$@\" 2>&1 >/dev/full"});
  }
  xdriver::Viewer viewer(command, start.folder);
  ASSERT_TRUE(viewer.connected()) << "the test has no X display";
  if (!scenario.steps.empty()) {
    ASSERT_NE(viewer.findWindow(20), 0u) << "no window; output: " << viewer.output();
    int x = -1, y = -1, width = 0, height = 0;
    ASSERT_TRUE(viewer.geometry(&x, &y, &width, &height));
    EXPECT_EQ(x + y, 0) << "the window opens at the screen's top-left corner";
    bool drawn = false;
    viewer.firstFrame(20, &drawn);
    // Everything is printed before the first frame, and shows at once even
    // through a pipe.
    EXPECT_EQ(viewer.output(), scenario.output);
    viewer.focus();
    ASSERT_TRUE(showsEachStep(viewer, scenario.steps));
    ASSERT_TRUE(viewer.xdotool("key Escape"));
  }
  int status = -1;
  ASSERT_TRUE(viewer.waitForExit(20, &status)) << "still running";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == scenario.status) << "status " << status;
  const std::string& output = viewer.output();
  EXPECT_EQ(scenario.onlyStart ? output.substr(0, scenario.output.size()) : output,
            scenario.output);
}

INSTANTIATE_TEST_SUITE_P(Viewer, ScenarioTest, ::testing::ValuesIn(scenarios),
                         [](const auto& info) { return info.param.name; });

// The program as a user meets it: started as a process under the test's own
// X server, driven by real key presses and drags, every frame it settles on
// compared with a reviewed baseline, its output and exit status checked.
// The rows are the desktop's of tests/scenarios.json, the table the page's
// runners read too.

#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
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
  widerThanTheRenderer,
  atTheRendererLimit,
  installed,
  installedWithoutData,
  installedWithOwnPalette
};

struct Scenario {
  std::string name;
  std::string program;  // one of the GL programs in tests/gl/ rather than the viewer
  Texture texture;
  std::vector<Step> steps;  // ESC follows the last one; none: no window may open
  bool endsItself = false;  // the last step ends the program, not ESC
  std::string output;       // everything the viewer prints
  std::vector<std::string> args;
  bool onlyStart = false;  // the output only starts so
  bool display = true;
  int status = 0;
  bool fullDisk = false;       // standard output goes to /dev/full; errors are read
  bool printsOnInput = false;  // a step's input makes the program print
};

const std::string usage =
    "Use x/y/z/X/Y/Z-keys to rotate.\n"
    "Move mouse while pressing button to change light position.\n";

Texture textureNamed(const std::string& name) {
  static const std::map<std::string, Texture> names = {
      {"bundled", Texture::bundled},
      {"none", Texture::none},
      {"palette", Texture::palette},
      {"topDown5x3", Texture::topDown5x3},
      {"controlBytes", Texture::controlBytes},
      {"widerThanTheRenderer", Texture::widerThanTheRenderer},
      {"atTheRendererLimit", Texture::atTheRendererLimit},
      {"installed", Texture::installed},
      {"installedWithoutData", Texture::installedWithoutData},
      {"installedWithOwnPalette", Texture::installedWithOwnPalette}};
  return names.at(name);
}

// The desktop's rows of the scenario table that the page shares.
std::vector<Scenario> desktopScenarios() {
  std::ifstream file(SCENARIOS_FILE);
  const auto table = nlohmann::json::parse(file);
  std::vector<Scenario> scenarios;
  for (const auto& row : table.at("scenarios")) {
    const auto on = row.at("on").get<std::vector<std::string>>();
    if (std::find(on.begin(), on.end(), "desktop") == on.end()) continue;
    Scenario s;
    s.name = row.at("name");
    s.program = row.value("program", "");
    s.texture = textureNamed(row.value("texture", "none"));
    for (const auto& step : row.at("steps")) {
      std::string says;
      for (const std::string& line : step.value("says", std::vector<std::string>{}))
        says += line + "\n";
      s.steps.push_back(
          {step.value("desktop", step.value("input", "")), step.value("frame", ""), says});
      s.printsOnInput = s.printsOnInput || !says.empty();
    }
    if (row.contains("output")) {
      s.output = row.at("output");
    } else {
      // The GL programs print nothing of their own but what goes wrong.
      s.output = s.program.empty() ? usage : "";
      for (const std::string line : row.at("says")) s.output += line + "\n";
    }
    s.args = row.value("args", std::vector<std::string>{});
    s.onlyStart = row.value("outputStarts", false);
    s.display = row.value("display", true);
    s.status = row.value("status", 0);
    s.fullDisk = row.value("fullDisk", false);
    s.endsItself = row.value("endsItself", false);
    scenarios.push_back(s);
  }
  return scenarios;
}

struct Start {
  std::string program;
  std::string folder;
};

// The widest texture the renderer of the test's display takes, as glxinfo
// reads it; 0 when it cannot tell.
int rendererTextureLimit() {
  std::FILE* glxinfo = popen("glxinfo -l 2>/dev/null", "r");
  if (glxinfo == nullptr) return 0;
  int limit = 0;
  char line[256];
  while (std::fgets(line, sizeof line, glxinfo) != nullptr) {
    if (limit == 0) std::sscanf(line, " GL_MAX_TEXTURE_SIZE = %d", &limit);
  }
  pclose(glxinfo);
  return limit;
}

// A row's words may name the renderer's limit, as {limit}, and one more,
// as {limit+1}.
std::string withLimit(std::string text, int limit) {
  for (const auto& [name, value] :
       {std::pair{std::string("{limit}"), limit}, std::pair{std::string("{limit+1}"), limit + 1}}) {
    for (auto at = text.find(name); at != std::string::npos; at = text.find(name)) {
      text.replace(at, name.size(), std::to_string(value));
    }
  }
  return text;
}

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
    case Texture::widerThanTheRenderer:
      writeFile(dir.file("marmor.bmp"), encodeBmp(Picture{rendererTextureLimit() + 1, 1}));
      break;
    case Texture::atTheRendererLimit:
      writeFile(dir.file("marmor.bmp"), encodeBmp(rendererTextureLimit(), 1, [](int, int) {
                  return std::array<std::uint8_t, 3>{128, 128, 128};
                }));
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
  Scenario scenario = GetParam();
  if (scenario.texture == Texture::widerThanTheRenderer ||
      scenario.texture == Texture::atTheRendererLimit) {
    const int limit = rendererTextureLimit();
    ASSERT_GT(limit, 0) << "glxinfo does not tell the renderer's texture limit";
    scenario.output = withLimit(scenario.output, limit);
  }
  const TempDir dir;
  Start start = prepare(scenario.texture, dir);
  if (!scenario.program.empty()) start.program = GL_PROGRAMS_DIR "/gl_" + scenario.program;
  std::vector<std::string> command = {start.program};
  command.insert(command.end(), scenario.args.begin(), scenario.args.end());
  if (!scenario.display) command.insert(command.begin(), {"env", "-u", "DISPLAY"});
  if (scenario.fullDisk) {
    command.insert(command.begin(), {"sh", "-c", "exec \"$0\" \"$@\" 2>&1 >/dev/full"});
  }
  xdriver::Viewer viewer(command, start.folder);
  ASSERT_TRUE(viewer.connected()) << "the test has no X display";
  if (!scenario.steps.empty()) {
    const xdriver::WindowId window =
        scenario.program.empty() ? viewer.findWindow(20) : viewer.findWindow(20, scenario.program);
    ASSERT_NE(window, 0u) << "no window; output: " << viewer.output();
    int x = -1, y = -1, width = 0, height = 0;
    ASSERT_TRUE(viewer.geometry(&x, &y, &width, &height));
    EXPECT_EQ(x + y, 0) << "the window opens at the screen's top-left corner";
    bool drawn = false;
    viewer.firstFrame(20, &drawn);
    // Everything is printed before the first frame, and shows at once even
    // through a pipe, but for what input makes a program print.
    if (scenario.printsOnInput) {
      EXPECT_EQ(scenario.output.substr(0, viewer.output().size()), viewer.output());
    } else {
      EXPECT_EQ(viewer.output(), scenario.output);
    }
    viewer.focus();
    ASSERT_TRUE(showsEachStep(viewer, scenario.steps));
    if (!scenario.endsItself) {
      ASSERT_TRUE(viewer.xdotool("key Escape"));
    }
  }
  int status = -1;
  ASSERT_TRUE(viewer.waitForExit(20, &status)) << "still running";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == scenario.status) << "status " << status;
  const std::string& output = viewer.output();
  EXPECT_EQ(scenario.onlyStart ? output.substr(0, scenario.output.size()) : output,
            scenario.output);
}

INSTANTIATE_TEST_SUITE_P(Viewer, ScenarioTest, ::testing::ValuesIn(desktopScenarios()),
                         [](const auto& info) { return info.param.name; });

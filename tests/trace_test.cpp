// The GL calls of start-up and the first frame, in order, as a GL tracer
// records them from the running program.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "app_session.h"

namespace {

// A number in a traced call, rounded to six significant digits, so a float
// widened to double reads as the value the program wrote.
std::string roundNumbers(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const bool starts = std::isdigit(static_cast<unsigned char>(text[i])) ||
                        (text[i] == '-' && i + 1 < text.size() &&
                         std::isdigit(static_cast<unsigned char>(text[i + 1])));
    const bool inWord =
        i > 0 && (std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == '_');
    if (!starts || inWord) {
      out += text[i++];
      continue;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str() + i, &end);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    out += buffer;
    i = static_cast<std::size_t>(end - text.c_str());
  }
  return out;
}

// The trace's calls up to the first buffer swap, reduced to what the program
// decides: each call with its arguments; immediate-mode geometry as
// "MODE:vertices" for each begin/end pair; a solid drawn from arrays as
// "arrays:draws x indices". Runs of the same entry become "N x entry".
std::vector<std::string> skeleton(FILE* dump) {
  static const std::regex call(R"(^\d+ (\w+)\((.*)\)( = .*)?$)");
  static const std::regex names(R"(\b[A-Za-z]+ = )");
  static const std::regex drawCount(R"(count = (\d+))");
  std::vector<std::string> calls;
  std::string mode, line;
  int vertices = 0, draws = 0;
  std::string drawSize;
  char buffer[1 << 16];
  while (std::fgets(buffer, sizeof buffer, dump) != nullptr) {
    line = buffer;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    std::smatch m;
    if (line.find("// fake") != std::string::npos || !std::regex_match(line, m, call)) continue;
    const std::string name = m[1], args = std::regex_replace(m[2].str(), names, "");
    if (name == "glXSwapBuffers") break;
    if (name.rfind("glX", 0) == 0 || name == "glNormal3f" || name == "glNormalPointer" ||
        name == "glVertexPointer" || (name == "glEnableClientState" && args == "GL_NORMAL_ARRAY") ||
        (name == "glDisableClientState" && args == "GL_VERTEX_ARRAY")) {
      continue;
    }
    if (name == "glBegin") {
      mode = args;
      vertices = 0;
    } else if (name == "glVertex3f") {
      ++vertices;
    } else if (name == "glEnd") {
      calls.push_back(mode + ":" + std::to_string(vertices));
    } else if (name == "glEnableClientState") {
      draws = 0;
    } else if (name == "glDrawElements") {
      std::smatch c;
      const std::string raw = m[2];
      std::regex_search(raw, c, drawCount);
      // Every draw of one solid has the same size, or the entry shows both.
      if (draws++ == 0) {
        drawSize = c[1];
      } else if (c[1] != drawSize) {
        drawSize += "/" + c[1].str();
      }
    } else if (name == "glDisableClientState") {
      calls.push_back("arrays:" + std::to_string(draws) + " x " + drawSize);
    } else {
      calls.push_back(name + "(" + roundNumbers(args) + ")");
    }
  }
  return calls;
}

std::vector<std::string> collapseRuns(const std::vector<std::string>& in) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < in.size();) {
    std::size_t j = i;
    while (j < in.size() && in[j] == in[i]) ++j;
    out.push_back(j - i == 1 ? in[i] : std::to_string(j - i) + " x " + in[i]);
    i = j;
  }
  return out;
}

std::string material(const char* what, const std::string& value) {
  return std::string("glMaterial") + (value[0] == '{' ? "fv" : "f") + "(GL_FRONT_AND_BACK, " +
         what + ", " + value + ")";
}

void addPiece(std::vector<std::string>& e, const std::string& x, const std::string& y) {
  const std::string at = "glTranslated(" + x + ", " + y + ", ";
  const std::vector<std::string> piece = {"glPushMatrix()",          at + "0.505)",
                                          "arrays:128 x 322",        "glPopMatrix()",
                                          "glPushMatrix()",          at + "0.145)",
                                          "arrays:129 x 322",        "glPopMatrix()",
                                          "glPushMatrix()",          at + "0.1225)",
                                          "glRotatef(-90, 1, 0, 0)", "glPushMatrix()",
                                          "glRotatef(90, 1, 0, 0)",  "glTranslatef(0, 0, -0.0225)"};
  e.insert(e.end(), piece.begin(), piece.end());
  for (int stack = 0; stack < 16; ++stack) e.push_back("GL_QUAD_STRIP:322");
  const std::vector<std::string> cap = {"glPopMatrix()",           "glPopMatrix()",
                                        "glPushMatrix()",          at + "0.1)",
                                        "glRotatef(-90, 1, 0, 0)", "glPushMatrix()",
                                        "glRotatef(-90, 1, 0, 0)", "GL_TRIANGLE_FAN:162"};
  e.insert(e.end(), cap.begin(), cap.end());
  for (int loop = 1; loop < 16; ++loop) e.push_back("GL_QUAD_STRIP:322");
  e.push_back("glPopMatrix()");
  e.push_back("glPopMatrix()");
}

std::vector<std::string> expectedCalls() {
  std::vector<std::string> e = {
      "glLightfv(GL_LIGHT0, GL_AMBIENT, {0.5, 0.5, 0.5, 1})",
      "glLightfv(GL_LIGHT0, GL_DIFFUSE, {0.4, 0.4, 0.4, 1})",
      "glLightfv(GL_LIGHT0, GL_SPECULAR, {1, 1, 1, 1})",
      "glGenTextures(1, &1)",
      "glBindTexture(GL_TEXTURE_2D, 1)",
      "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)",
      "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)",
      "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR)",
      "glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)",
      "glTexImage2D(GL_TEXTURE_2D, 0, 3, 512, 512, 0, GL_RGB, GL_UNSIGNED_BYTE, blob(786432))",
      "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
      "glEnable(GL_TEXTURE_2D)",
      "glEnable(GL_DEPTH_TEST)",
      "glDepthFunc(GL_LESS)",
      "glEnable(GL_NORMALIZE)",
      "glShadeModel(GL_SMOOTH)",
      "glEnable(GL_LIGHTING)",
      "glEnable(GL_LIGHT0)",
      "glViewport(0, 0, 600, 600)",
      "glClearColor(0.4, 0.4, 0.4, 1)",
      "glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)",
      "glMatrixMode(GL_PROJECTION)",
      "glLoadIdentity()",
      "glFrustum(-2, 2, -2, 2, 10, 15.5)",
      "glTranslated(0, 0, -12.75)",
      "glMatrixMode(GL_MODELVIEW)",
      "glLoadIdentity()",
      "glLightfv(GL_LIGHT0, GL_POSITION, {0.333333, 0.333333, 1.8, 0.7})",
      "glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, {-0.333333, -0.333333, -1.8})",
      "glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 90)",
      "glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 0)",
      "glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.05)",
      "glRotatef(-50, 1, 0, 0)",
      "glRotatef(-5, 0, 1, 0)",
      "glRotatef(0, 0, 0, 1)",
      "glPushMatrix()",
      "glBindTexture(GL_TEXTURE_2D, 1)",
      "glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR)",
      "glTexGenfv(GL_S, GL_OBJECT_PLANE, {0.5, 0, 0.5, 0})",
      "glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR)",
      "glTexGenfv(GL_T, GL_OBJECT_PLANE, {0.5, 0.5, 0, 0})",
      "glEnable(GL_TEXTURE_GEN_S)",
      "glEnable(GL_TEXTURE_GEN_T)",
      material("GL_SPECULAR", "{0.7, 0.7, 0.7, 1}"),
      material("GL_SHININESS", "10"),
      "glTranslated(-1.6, -1.6, 0)"};
  // Both faces, column by column, rows innermost; (0, 0) is dark.
  for (int square = 0; square < 128; ++square) {
    const bool dark = (square / 8 + square) % 2 == 0;
    e.push_back(
        material("GL_AMBIENT_AND_DIFFUSE", dark ? "{0.1, 0.4, 0.25, 1}" : "{0.5, 0.8, 0.75, 1}"));
    e.push_back("GL_QUADS:4");
  }
  e.push_back(material("GL_AMBIENT_AND_DIFFUSE", "{0.1, 0.6, 0.45, 1}"));
  for (int quad = 0; quad < 12; ++quad) e.push_back("GL_QUADS:4");
  e.insert(e.end(), {"glDisable(GL_TEXTURE_GEN_S)", "glDisable(GL_TEXTURE_GEN_T)",
                     material("GL_SPECULAR", "{1, 1, 1, 1}"), material("GL_SHININESS", "80"),
                     material("GL_AMBIENT_AND_DIFFUSE", "{0.9, 0.9, 0.9, 1}")});
  addPiece(e, "1.4", "1.8");
  addPiece(e, "0.6", "2.6");
  addPiece(e, "0.6", "1.4");
  e.push_back(material("GL_AMBIENT_AND_DIFFUSE", "{0.4, 0.4, 0.4, 1}"));
  addPiece(e, "2.2", "2.2");
  addPiece(e, "2.6", "0.6");
  e.push_back("glTranslated(1.8, 1.4, 0.28)");
  e.push_back("glRotatef(100, 0.7, 0.4, 0)");
  addPiece(e, "0", "0");
  e.push_back("glPopMatrix()");
  e.push_back("glFlush()");  // glutSwapBuffers flushes before it swaps
  return collapseRuns(e);
}

}  // namespace

TEST_F(AppTest, StartUpAndTheFirstFrameMakeTheirGlCallsInOrder) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the tracer's preloaded library and AddressSanitizer exclude each other";
#endif
  const std::string trace = emptyDir() + "/viewer.trace";
  startWith({"apitrace", "trace", "--output", trace, VIEWER_PROGRAM}, DATA_DIR);
  ASSERT_TRUE(viewer->xdotool("key Escape"));
  int status = -1;
  ASSERT_TRUE(viewer->waitForExit(60, &status));
  FILE* dump = popen(("apitrace dump --color=never " + trace + " 2>/dev/null").c_str(), "r");
  ASSERT_NE(dump, nullptr);
  const std::vector<std::string> calls = collapseRuns(skeleton(dump));
  pclose(dump);
  const std::vector<std::string> expected = expectedCalls();
  for (std::size_t i = 0; i < std::max(calls.size(), expected.size()); ++i) {
    ASSERT_EQ(i < calls.size() ? calls[i] : "(none)", i < expected.size() ? expected[i] : "(none)")
        << "entry " << i << " of the start-up and first frame";
  }
}

#include "gl_context.h"

#include <GL/freeglut.h>

#include "app/state.h"
#include "app/window.h"

namespace {

bool framePosted = false;

bool sameCorner(const FeedbackVertex& a, const FeedbackVertex& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Mesa reports each quad as the triangles (v0, v1, v3) and (v1, v2, v3);
// put such pairs back together so the tests see the quads as drawn.
std::vector<FeedbackPolygon> joinTriangles(const std::vector<FeedbackPolygon>& in) {
  std::vector<FeedbackPolygon> out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const FeedbackPolygon& a = in[i];
    if (i + 1 < in.size() && a.size() == 3 && in[i + 1].size() == 3) {
      const FeedbackPolygon& b = in[i + 1];
      if (sameCorner(a[1], b[0]) && sameCorner(a[2], b[2])) {
        out.push_back({a[0], a[1], b[1], a[2]});
        ++i;
        continue;
      }
    }
    out.push_back(a);
  }
  return out;
}

void noteFrame() {
  framePosted = true;
}

}  // namespace

void GlTest::SetUpTestSuite() {
  static bool ready = false;
  if (ready) return;
  int argc = 1;
  char name[] = "gl_tests";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(600, 600);
  glutInitWindowPosition(0, 0);
  glutCreateWindow("gl tests");
  glutDisplayFunc(noteFrame);
  // Let the window map, so reads of the front buffer see real pixels.
  for (int i = 0; i < 1000 && !framePosted; ++i) glutMainLoopEvent();
  ASSERT_TRUE(framePosted) << "the test window never became visible";
  ready = true;
}

void GlTest::SetUp() {
  glViewport(0, 0, 600, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glEnable(GL_NORMALIZE);
}

void ProgramTest::SetUp() {
  GlTest::SetUp();
  const float defaultAmbient[] = {0.2f, 0.2f, 0.2f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, defaultAmbient);
  initGraphics();
  windowWidth = windowHeight = 600;
  mouseX = 400;
  mouseY = 200;
  rotX = -50;
  rotY = -5;
  rotZ = 0;
}

std::vector<FeedbackPolygon> captureFeedback(void (*draw)()) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-3, 3, -3, 3, -3, 3);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  draw();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer overflowed";

  std::vector<FeedbackPolygon> polygons;
  for (GLint i = 0; i < used;) {
    if (buffer[i] != GL_POLYGON_TOKEN) {
      ADD_FAILURE() << "unexpected feedback token " << buffer[i];
      break;
    }
    const int count = static_cast<int>(buffer[i + 1]);
    i += 2;
    FeedbackPolygon polygon;
    for (int v = 0; v < count; ++v, i += 11) {
      const GLfloat* f = &buffer[i];
      polygon.push_back({f[0] / 100.0f - 3.0f,
                         f[1] / 100.0f - 3.0f,
                         (1.0f - 2.0f * f[2]) * 3.0f,
                         {f[3], f[4], f[5], f[6]},
                         f[7] / f[10],
                         f[8] / f[10]});
    }
    polygons.push_back(polygon);
  }
  return joinTriangles(polygons);
}

void useAmbientOnlyLighting() {
  const float white[] = {1, 1, 1, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
  glDisable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
}

void useDirectionalLighting(float x, float y, float z) {
  const float black[] = {0, 0, 0, 1};
  const float white[] = {1, 1, 1, 1};
  const float position[] = {x, y, z, 0};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
  glLightfv(GL_LIGHT0, GL_AMBIENT, black);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, black);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180);
  glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0);
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glPopMatrix();
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
}

std::array<float, 16> currentMatrix(GLenum which) {
  std::array<float, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

void expectMatrix(GLenum which, const std::array<float, 16>& expected) {
  const auto got = currentMatrix(which);
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(got[k], expected[k], 1e-6) << "element " << k;
}

void expectMaterial(const float* diffuse, float specular, float shininess) {
  float gotDiffuse[4], gotSpecular[4], gotShininess = 0;
  glGetMaterialfv(GL_BACK, GL_DIFFUSE, gotDiffuse);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, gotSpecular);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &gotShininess);
  for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(gotDiffuse[c], diffuse[c]) << "diffuse " << c;
  for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(gotSpecular[c], specular) << "specular " << c;
  EXPECT_FLOAT_EQ(gotShininess, shininess);
}

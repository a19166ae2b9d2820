#pragma once

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app/gl.h"

// Makes sure this process has a GLUT window with a current GL context (on
// the Xvfb server the test wrapper started) and resets the GL state each
// test relies on.
class GlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
};

// A GL test that starts from the program's own set-up: the fixed graphics
// state, a 600 by 600 window, the pointer and angles as at start.
class ProgramTest : public GlTest {
 protected:
  void SetUp() override;
};

// One vertex as GL_3D_COLOR_TEXTURE feedback reports it, with the window
// coordinates turned back into the object coordinates of an orthographic
// view of the cube [-3, 3]^3 (see captureFeedback).
struct FeedbackVertex {
  float x, y, z;
  std::array<float, 4> color;
  float s, t;
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

// Draws with `draw` in feedback mode under an orthographic view of [-3, 3]^3
// and returns the polygons in the order they were emitted.
std::vector<FeedbackPolygon> captureFeedback(void (*draw)());

// Lighting that makes every lit colour equal to the material's ambient
// colour, whatever the normals: no light on, a white global ambient.
void useAmbientOnlyLighting();

// Lighting where only a white directional light along `direction` lights
// the scene diffusely, so a face is lit exactly when its normal faces it.
void useDirectionalLighting(float x, float y, float z);

std::array<float, 16> currentMatrix(GLenum which);

// The current matrix equals `expected` element by element.
void expectMatrix(GLenum which, const std::array<float, 16>& expected);

// The material in effect, front and back: diffuse colour, the grey level of
// the specular colour, and the shininess.
void expectMaterial(const float* diffuse, float specular, float shininess);

#pragma once

// The window's frames compared with reviewed baseline pictures in
// tests/baseline/, under a tolerance, the way VTK and ITK test rendering.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xdriver/xdriver.h"

// A pixel differs when one of its channels is off by more than this many
// levels. Mesa's software renderer repeats itself exactly on one machine;
// other CPUs and Mesa releases may round an edge or a highlight by a level.
// A material or light changed by 1% already moves pixels by two or more.
constexpr int channelTolerance = 1;

// How many pixels of a 600 by 600 frame may differ: a few dozen, room for
// the rounding of a handful of polygon edges, about 0.01% of the frame. A
// frame of another size may have as many in proportion to its area. Any
// change of shape, place or colour that a user could see moves hundreds.
constexpr long allowedPixels = 40;

// The browser engines draw the page through WebGL on the same Mesa as the
// desktop (Chromium through ANGLE) and are held to its tolerance.

// Waits until the window shows the baseline `name` within the tolerance.
// Otherwise the frame it showed and a difference picture are kept in the
// build's frames/ folder, and the failure names them. Without a baseline,
// the settled frame is kept there as a candidate, and the test fails. With
// MARBLECHESS_REFRESH_BASELINES set, a baseline that no longer matches is
// rewritten from the settled frame instead.
::testing::AssertionResult showsBaseline(xdriver::Viewer& viewer, const std::string& name);

// Something a user does, and the frame the window must come to show after
// it, or the lines the program must come to print.
struct Step {
  std::string input;      // xdotool's arguments; {window} stands for the window
  std::string baseline;   // the frame the window must come to show, if any
  std::string says = {};  // lines the output must come to hold, if any
};

// Sends each step's input in turn and waits for its frame and its lines.
::testing::AssertionResult showsEachStep(xdriver::Viewer& viewer, const std::vector<Step>& steps);

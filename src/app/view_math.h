#pragma once

// Arithmetic behind the view, kept free of GL so it can be checked alone.

struct LightSpot {
  float lx;  // -1 at the window's left edge, +1 at its right edge
  float ly;  // -1 at the bottom edge, +1 at the top edge
};

// Where the spotlight stands for a pointer at (x, y) in a window of the given
// size; GLUT counts y from the top. A zero size counts as 1, so the light
// never gets an infinite or NaN position.
LightSpot lightFromPointer(int x, int y, int width, int height);

// An angle turned by `step` degrees: the sum truncated toward zero to whole
// degrees and reduced modulo 360 with the sign of the dividend, so turns stay
// within -355 to 355 and a turn that reaches a full circle lands on 0.
double turnAngle(double angle, float step);

#include "app/view_math.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(LightFromPointer, MapsTheWindowOntoMinusOneToOne) {
  const LightSpot start = lightFromPointer(400, 200, 600, 600);
  EXPECT_FLOAT_EQ(start.lx, 1 / 3.0f);
  EXPECT_FLOAT_EQ(start.ly, 1 / 3.0f);
  const LightSpot centre = lightFromPointer(300, 300, 600, 600);
  EXPECT_FLOAT_EQ(centre.lx, 0);
  EXPECT_FLOAT_EQ(centre.ly, 0);
  // GLUT counts y from the top, so the top-left corner is (-1, 1).
  const LightSpot topLeft = lightFromPointer(0, 0, 600, 600);
  EXPECT_FLOAT_EQ(topLeft.lx, -1);
  EXPECT_FLOAT_EQ(topLeft.ly, 1);
  const LightSpot bottomRight = lightFromPointer(600, 600, 600, 600);
  EXPECT_FLOAT_EQ(bottomRight.lx, 1);
  EXPECT_FLOAT_EQ(bottomRight.ly, -1);
}

TEST(LightFromPointer, FollowsTheWindowSizeAndReachesBeyondIt) {
  const LightSpot narrow = lightFromPointer(150, 300, 300, 600);
  EXPECT_FLOAT_EQ(narrow.lx, 0);
  EXPECT_FLOAT_EQ(narrow.ly, 0);
  const LightSpot wide = lightFromPointer(400, 200, 800, 400);
  EXPECT_FLOAT_EQ(wide.lx, 0);
  EXPECT_FLOAT_EQ(wide.ly, 0);
  // A drag that leaves the window is taken as it comes.
  const LightSpot outside = lightFromPointer(-300, 900, 600, 600);
  EXPECT_FLOAT_EQ(outside.lx, -2);
  EXPECT_FLOAT_EQ(outside.ly, -2);
}

TEST(LightFromPointer, StaysFiniteForAnEmptyWindow) {
  for (const auto& size : {std::pair{0, 600}, std::pair{600, 0}, std::pair{0, 0}}) {
    const LightSpot spot = lightFromPointer(10, 20, size.first, size.second);
    EXPECT_TRUE(std::isfinite(spot.lx) && std::isfinite(spot.ly))
        << size.first << "x" << size.second;
  }
  const LightSpot flat = lightFromPointer(1, 0, 0, 0);
  EXPECT_FLOAT_EQ(flat.lx, 1);
  EXPECT_FLOAT_EQ(flat.ly, 1);
}

namespace {

double press(double angle, float step, int times) {
  for (int i = 0; i < times; ++i) angle = turnAngle(angle, step);
  return angle;
}

}  // namespace

TEST(TurnAngle, StepsByWholeDegreesFromTheStartingAngles) {
  EXPECT_EQ(press(-50, 5, 10), 0);
  EXPECT_EQ(press(-50, 5, 20), 50);
  EXPECT_EQ(press(0, -5, 1), -5);
  EXPECT_EQ(press(press(0, -5, 1), 5, 1), 0);
  // A fraction never survives a turn.
  EXPECT_EQ(turnAngle(-50.7, 5), -45);
  EXPECT_EQ(turnAngle(12.9, 5), 17);
}

TEST(TurnAngle, AFullCircleLandsOnZeroFromEitherSide) {
  double angle = 0;
  for (int i = 1; i <= 71; ++i) {
    angle = turnAngle(angle, -5);
    ASSERT_EQ(angle, -5.0 * i) << "press " << i;
  }
  EXPECT_EQ(turnAngle(angle, -5), 0);
  EXPECT_EQ(turnAngle(355, 5), 0);
  // The remainder keeps the sign of the dividend.
  EXPECT_EQ(turnAngle(-360, -5), -5);
  EXPECT_EQ(turnAngle(360, 5), 5);
}

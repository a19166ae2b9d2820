#include <gtest/gtest.h>

#include <cmath>

#include "app/view_math.h"

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
    EXPECT_TRUE(std::isfinite(spot.lx) && std::isfinite(spot.ly)) << size.first << "x" << size.second;
  }
  const LightSpot flat = lightFromPointer(1, 0, 0, 0);
  EXPECT_FLOAT_EQ(flat.lx, 1);
  EXPECT_FLOAT_EQ(flat.ly, 1);
}

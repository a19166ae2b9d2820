#include "app/view_math.h"

#include <gtest/gtest.h>

#include <cmath>

// A window can be made empty, which no frame shows: the light must still
// stand somewhere finite.
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

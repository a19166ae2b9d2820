#include "app/view_math.h"

LightSpot lightFromPointer(int x, int y, int width, int height) {
  const int w = width == 0 ? 1 : width;
  const int h = height == 0 ? 1 : height;
  const double fx = static_cast<double>(x) / w;
  const double fy = static_cast<double>(h - y) / h;
  return {static_cast<float>(fx * 2.0 - 1.0), static_cast<float>(fy * 2.0 - 1.0)};
}

double turnAngle(double angle, float step) {
  const int whole = static_cast<int>(angle + step);
  return static_cast<double>(whole % 360);
}

#include "frame_compare.h"

#include <algorithm>
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

using xdriver::Frame;

namespace {

bool differs(const Frame& a, const Frame& b, std::size_t pixel, int channel) {
  for (std::size_t c = pixel * 3; c < pixel * 3 + 3; ++c) {
    if (std::abs(a.rgb[c] - b.rgb[c]) > channel) return true;
  }
  return false;
}

bool sameSize(const Frame& a, const Frame& b) {
  return a.width == b.width && a.height == b.height && a.rgb.size() == b.rgb.size();
}

}  // namespace

bool loadPng(const std::string& path, Frame* frame) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
  if (pixels == nullptr) return false;
  *frame = Frame{width, height, {pixels, pixels + std::size_t(width) * height * 3}};
  stbi_image_free(pixels);
  return true;
}

long differingPixels(const Frame& a, const Frame& b, int channel) {
  if (!sameSize(a, b)) return -1;
  long count = 0;
  for (std::size_t p = 0; p < a.rgb.size() / 3; ++p) count += differs(a, b, p, channel);
  return count;
}

long allowedPixelsOf(const Frame& frame, const Tolerance& tolerance) {
  return static_cast<long>(double(tolerance.pixels) * frame.width * frame.height / (600.0 * 600.0));
}

bool matches(const Frame& a, const Frame& b, const Tolerance& tolerance) {
  const long count = differingPixels(a, b, tolerance.channel);
  return count >= 0 && count <= allowedPixelsOf(b, tolerance);
}

int worstDifference(const Frame& a, const Frame& b) {
  if (!sameSize(a, b)) return -1;
  int worst = 0;
  for (std::size_t c = 0; c < a.rgb.size(); ++c)
    worst = std::max(worst, std::abs(a.rgb[c] - b.rgb[c]));
  return worst;
}

Frame differenceImage(const Frame& got, const Frame& expected, int channel) {
  Frame diff = expected;
  for (std::size_t p = 0; p < diff.rgb.size() / 3; ++p) {
    const bool red = differs(got, expected, p, channel);
    for (std::size_t c = 0; c < 3; ++c) {
      diff.rgb[p * 3 + c] = red ? (c == 0 ? 255 : 0) : diff.rgb[p * 3 + c] / 3;
    }
  }
  return diff;
}

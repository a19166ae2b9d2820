// Holds a frame the browser drew against a baseline under the browser's
// tolerance: web_frame_check BASELINE FRAME [DIFFERENCE]. Prints how many
// pixels are off by more than the tolerance and the worst difference, and
// writes the difference picture when asked; exits 0 when the frame
// matches, 1 when it does not, 2 when a picture cannot be read.

#include <cstdio>

#include "baseline.h"
#include "frame_compare.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: web_frame_check BASELINE FRAME [DIFFERENCE]\n");
    return 2;
  }
  xdriver::Frame expected, got;
  if (!loadPng(argv[1], &expected) || !loadPng(argv[2], &got)) {
    std::fprintf(stderr, "web_frame_check: cannot read %s or %s\n", argv[1], argv[2]);
    return 2;
  }
  const Tolerance tolerance{browserChannelTolerance, browserAllowedPixels};
  const long off = differingPixels(got, expected, tolerance.channel);
  std::printf("%ld pixels off by more than %d (%ld may), worst %d; off by more than", off,
              tolerance.channel, tolerance.pixels, worstDifference(got, expected));
  for (int level : {0, 1, 2, 3, 4, 8, 16}) {
    std::printf(" %d: %ld", level, differingPixels(got, expected, level));
  }
  std::printf("\n");
  if (argc > 3 && off > 0)
    xdriver::savePng(differenceImage(got, expected, tolerance.channel), argv[3]);
  return matches(got, expected, tolerance) ? 0 : 1;
}

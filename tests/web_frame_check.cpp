// Holds a frame a browser drew against a baseline under the tolerance of
// the engine that drew it: web_frame_check firefox|chromium|webkit BASELINE
// FRAME [DIFFERENCE]. Prints how many pixels are off by more than the tolerance
// and the worst difference, and writes the difference picture when asked;
// exits 0 when the frame matches, 1 when it does not, 2 when a picture
// cannot be read.

#include <cstdio>
#include <map>
#include <string>

#include "baseline.h"
#include "frame_compare.h"

int main(int argc, char** argv) {
  const std::map<std::string, Tolerance> tolerances = {
      {"firefox", {channelTolerance, allowedPixels}},
      {"chromium", {channelTolerance, allowedPixels}},
      {"webkit", {channelTolerance, allowedPixels}}};
  const auto engine = tolerances.find(argc > 1 ? argv[1] : "");
  if (argc < 4 || engine == tolerances.end()) {
    std::fprintf(stderr,
                 "usage: web_frame_check firefox|chromium|webkit BASELINE FRAME [DIFFERENCE]\n");
    return 2;
  }
  xdriver::Frame expected, got;
  if (!loadPng(argv[2], &expected) || !loadPng(argv[3], &got)) {
    std::fprintf(stderr, "web_frame_check: cannot read %s or %s\n", argv[2], argv[3]);
    return 2;
  }
  const Tolerance& tolerance = engine->second;
  const long off = differingPixels(got, expected, tolerance.channel);
  std::printf("%ld pixels off by more than %d (%ld may), worst %d; off by more than", off,
              tolerance.channel, allowedPixelsOf(expected, tolerance),
              worstDifference(got, expected));
  for (int level : {0, 1, 2, 3, 4, 8, 16}) {
    std::printf(" %d: %ld", level, differingPixels(got, expected, level));
  }
  std::printf("\n");
  if (argc > 4 && off > 0)
    xdriver::savePng(differenceImage(got, expected, tolerance.channel), argv[4]);
  return matches(got, expected, tolerance) ? 0 : 1;
}

#pragma once

// How a frame is held against a reviewed baseline picture: a pixel differs
// when one of its channels is off by more than the tolerance's levels, and
// the frame matches when no more pixels than it allows differ.

#include <string>

#include "xdriver/xdriver.h"

struct Tolerance {
  int channel;  // levels of 255 a channel may be off by
  long pixels;  // how many pixels of a 600 by 600 frame may be off by more
};

// How many pixels of `frame` may be off: the tolerance's count in
// proportion to the frame's area, so that a frame four times as large may
// have four times as many.
long allowedPixelsOf(const xdriver::Frame& frame, const Tolerance& tolerance);

// False when the file cannot be read as a picture.
bool loadPng(const std::string& path, xdriver::Frame* frame);
// How many pixels differ by more than `channel` levels; -1 for other sizes.
long differingPixels(const xdriver::Frame& a, const xdriver::Frame& b, int channel);
bool matches(const xdriver::Frame& a, const xdriver::Frame& b, const Tolerance& tolerance);
// The largest difference of any channel, in levels; -1 for other sizes.
int worstDifference(const xdriver::Frame& a, const xdriver::Frame& b);
// The baseline dimmed, with every pixel that differs by more than `channel`
// in red.
xdriver::Frame differenceImage(const xdriver::Frame& got, const xdriver::Frame& expected,
                               int channel);

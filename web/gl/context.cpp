// The WebGL context's loss and return, as the page's GLUT hears of them:
// WebGL's side forgets everything at the loss, and at the return is made
// again from what GL's side kept, so that the next frame is the one the
// program would have had.

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/draw.h"
#include "gl/texturing.h"

using namespace standin;

extern "C" void standinContextLost() {
  device::forget();
  forgetInputs();
  forgetSentVertices();
}

extern "C" void standinContextRestored() {
  device::restore();
  textures::remakeImages();
}

// The WebGL context's loss and return, as the page's GLUT hears of them:
// WebGL's side forgets everything at the loss, and at the return is made
// again from what GL's side kept, so that the next frame is the one the
// program would have had. And the window the context draws to, as GLUT
// makes it.

#include "gl/batch.h"
#include "gl/device.h"
#include "gl/state.h"
#include "gl/texturing.h"

using namespace standin;

extern "C" void standinContextLost() {
  device::forget();
  forgetSentVertices();
}

extern "C" void standinContextRestored() {
  device::restore();
  textures::remakeImages();
}

// GLUT has sized the canvas: the drawing buffer is asked its size again.
extern "C" void standinCanvasSized() {
  device::canvasSized();
}

// GLUT's display mode of the window, and its size, which GL's viewport and
// scissor box start at.
extern "C" void standinWindowMade(unsigned mode, int width, int height) {
  gl.windowMode = mode;
  gl.viewport.width = width;
  gl.viewport.height = height;
  gl.scissor.box[2] = width;
  gl.scissor.box[3] = height;
  device::setViewport(0, 0, width, height);
}

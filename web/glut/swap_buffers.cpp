// The end of a frame: what the stand-in gathered goes to WebGL, and the
// browser shows the canvas when the display callback returns.

#include <GL/gl.h>

extern "C" void glutSwapBuffers() {
  glFlush();
}

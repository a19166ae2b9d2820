#pragma once

// What the small GL programs that hold the page's stand-in against Mesa
// share: one window of `windowSize` pixels a side, titled with the
// program's name, a viewport that follows it, ESC to end, and any GL error
// a frame leaves said on standard output, where the tests read it.

#include <GL/glut.h>

constexpr int windowSize = 256;

// Opens the window of GLUT's display mode `mode` and registers `display`,
// whose first frame is drawn twice, the first unseen; a key other than ESC
// goes to `key`, when there is one.
constexpr unsigned defaultMode = GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH;
void openWindow(int* argc, char** argv, const char* title, void (*display)(),
                void (*key)(unsigned char) = nullptr, unsigned mode = defaultMode);

// Clears to `grey` and looks down -z from 4 units in front of the origin
// through a frustum of 2 to 6, as the programs but one draw.
void startFrame(float grey);

// Says, once, the GL error left since the last call, naming `where`.
void sayErrors(const char* where);

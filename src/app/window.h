#pragma once

// Opens the 600 by 600 window, sets the fixed graphics state and registers
// the GLUT callbacks. Needs glutInit to have run.
void initWindow();

// Light 0's colours, the texture and the fixed GL enables. Needs a current
// GL context.
void initGraphics();

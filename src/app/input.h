#pragma once

// GLUT callbacks that turn user actions into program state.

// Records the new window size and sets the viewport to it.
void reshape(int width, int height);

// x/y/z turn the scene forwards, X/Y/Z backwards, ESC ends the program.
void keyboard(unsigned char key, int x, int y);

// Called while the pointer moves with a button held: moves the spotlight.
void mouseMotion(int x, int y);

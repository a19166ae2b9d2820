#pragma once

// GLUT display callback: draws one whole frame from the program state.
void display();

// The board and everything on it, inside one modelview push/pop.
void drawScene();

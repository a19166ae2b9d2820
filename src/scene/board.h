#pragma once

// Board materials (ambient and diffuse, RGBA).
extern const float darkSquareColor[4];   // squares with i + j even
extern const float lightSquareColor[4];  // squares with i + j odd
extern const float frameColor[4];        // rim strips and side walls

// Draws the chessboard: both checkered faces, the mitred rim and the four
// walls, textured through generated coordinates. Leaves the board frame on
// the modelview matrix: origin at the outer corner of square (0, 0) on the
// slab's mid-plane, +z out of the top face. The pieces are placed in it.
void drawBoard();

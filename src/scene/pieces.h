#pragma once

// Piece materials (ambient and diffuse, RGBA).
extern const float lightPieceColor[4];
extern const float darkPieceColor[4];

// Draws the six pieces in the board frame that drawBoard leaves behind.
// Leaves the tipped piece's translation and rotation on the matrix; the
// caller's pop removes them.
void drawPieces();

// One piece standing upright at (x, y) on the board's top face, in the
// current material. Leaves the matrix stack as it found it.
void drawPiece(float x, float y);

// An open cylinder centred on the origin, its axis along y.
void drawCylinder(float radius, float height, int slices, int stacks);

// A full disk in the x-z plane, facing +y.
void drawDisk(float radius, int slices, int loops);

#pragma once

// Scene sizes in scene units. The board derives every other size and offset
// from these three, and the pieces their proportions and heights; where the
// pieces stand, the centres of their squares, pieces.cpp writes out.
constexpr float squareSize = 0.4f;      // edge of one board square
constexpr float boardThickness = 0.2f;  // slab height, and the rim's width
constexpr float pieceRadius = 0.18f;    // base radius of a piece

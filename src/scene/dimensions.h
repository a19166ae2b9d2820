#pragma once

// Scene sizes in scene units; the board and the pieces derive every other
// size and offset from these three.
constexpr float squareSize = 0.4f;      // edge of one board square
constexpr float boardThickness = 0.2f;  // slab height, and the rim's width
constexpr float pieceRadius = 0.18f;    // base radius of a piece

#pragma once

#include <string>

// Writes an uncompressed 24-bit BMP file of the given size, with rows padded
// as the format has them and a pattern in the pixels.
void writeTestBmp(const std::string& path, int width, int height);

// A temporary folder for this run, removed at exit.
const std::string& benchDir();

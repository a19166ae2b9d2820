// Writes the board's marble texture: white marble with grey-green veins,
// from fractal value noise, as an uncompressed 24-bit BMP file. The picture
// tiles seamlessly, since the board repeats it, and is the same on every run.
//
//   make_marble [path [size]]     default: marmor.bmp 512

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bmp_writer/bmp_writer.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// A fixed hash of a lattice point, in [0, 1).
double lattice(int x, int y, int period) {
  std::uint32_t h = static_cast<std::uint32_t>((x % period + period) % period) * 73856093u ^
                    static_cast<std::uint32_t>((y % period + period) % period) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / 16777216.0;
}

double smooth(double t) {
  return t * t * (3 - 2 * t);
}

// Value noise on a lattice that wraps every `period` cells.
double noise(double x, double y, int period) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = smooth(x - x0), fy = smooth(y - y0);
  const double top = lattice(x0, y0, period) * (1 - fx) + lattice(x0 + 1, y0, period) * fx;
  const double bottom =
      lattice(x0, y0 + 1, period) * (1 - fx) + lattice(x0 + 1, y0 + 1, period) * fx;
  return top * (1 - fy) + bottom * fy;
}

// Turbulence: octaves of |noise| that break the veins into marble.
double turbulence(double u, double v) {
  double sum = 0, amplitude = 1;
  for (int octave = 0, cells = 4; octave < 6; ++octave, cells *= 2, amplitude /= 2) {
    sum += amplitude * std::fabs(noise(u * cells, v * cells, cells) * 2 - 1);
  }
  return sum;
}

// Brightness of the marble at (u, v) in [0, 1)^2: light stone crossed by
// thin diagonal veins. Whole numbers of stripes keep the picture tileable.
double marble(double u, double v) {
  const double phase = 2 * pi * (2 * u + 1 * v) + 2.6 * turbulence(u, v);
  const double vein = std::pow(std::fabs(std::sin(phase)), 0.25);
  const double cloud = 0.93 + 0.07 * noise(u * 16, v * 16, 16);
  return vein * cloud;
}

// Veins go from a grey-green into the white, which keeps the board's green
// materials when the texture modulates them.
std::array<std::uint8_t, 3> marbleColour(int x, int y, int size) {
  const double stone[3] = {0.97, 0.97, 0.95}, veinColour[3] = {0.42, 0.50, 0.47};
  const double m = marble(double(x) / size, double(y) / size);
  std::array<std::uint8_t, 3> colour{};
  for (int c = 0; c < 3; ++c) {
    colour[c] = static_cast<std::uint8_t>(
        std::lround(255 * (veinColour[c] + (stone[c] - veinColour[c]) * m)));
  }
  return colour;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "marmor.bmp";
  const int size = argc > 2 ? std::atoi(argv[2]) : 512;
  if (size <= 0 || size % 4 != 0 || size > 8192) {
    std::fprintf(stderr, "make_marble: the size must be a multiple of 4 up to 8192\n");
    return 2;
  }
  const auto colour = [size](int x, int y) { return marbleColour(x, y, size); };
  if (!writeFile(path, encodeBmp(size, size, colour))) {
    std::fprintf(stderr, "make_marble: cannot write %s\n", path);
    return 1;
  }
  return 0;
}

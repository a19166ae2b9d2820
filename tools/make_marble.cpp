// Writes the board's marble texture: white marble with grey-green veins,
// from fractal value noise, as an uncompressed 24-bit BMP file. The picture
// tiles seamlessly, since the board repeats it, and is the same on every run.
//
//   make_marble [path [size]]     default: marmor.bmp 512

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t value) {
  for (int k = 0; k < 4; ++k) b[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

std::vector<std::uint8_t> render(int size) {
  const std::size_t pixels = std::size_t(size) * size * 3;
  std::vector<std::uint8_t> file(54 + pixels, 0);
  file[0] = 'B';
  file[1] = 'M';
  put32(file, 2, static_cast<std::uint32_t>(file.size()));
  put32(file, 10, 54);
  put32(file, 14, 40);
  put32(file, 18, static_cast<std::uint32_t>(size));
  put32(file, 22, static_cast<std::uint32_t>(size));
  file[26] = 1;
  file[28] = 24;
  put32(file, 34, static_cast<std::uint32_t>(pixels));
  put32(file, 38, 2835);  // 72 dots per inch
  put32(file, 42, 2835);
  // Veins go from a grey-green into the white, which keeps the board's green
  // materials when the texture modulates them.
  const double stone[3] = {0.97, 0.97, 0.95}, veinColour[3] = {0.42, 0.50, 0.47};
  std::size_t at = 54;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double m = marble(double(x) / size, double(y) / size);
      for (int c = 2; c >= 0; --c) {  // blue, green, red
        const double value = veinColour[c] + (stone[c] - veinColour[c]) * m;
        file[at++] = static_cast<std::uint8_t>(std::lround(255 * value));
      }
    }
  }
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "marmor.bmp";
  const int size = argc > 2 ? std::atoi(argv[2]) : 512;
  if (size <= 0 || size % 4 != 0 || size > 8192) {
    std::fprintf(stderr, "make_marble: the size must be a multiple of 4 up to 8192\n");
    return 2;
  }
  const std::vector<std::uint8_t> file = render(size);
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr || std::fwrite(file.data(), file.size(), 1, out) != 1 ||
      std::fclose(out) != 0) {
    std::fprintf(stderr, "make_marble: cannot write %s\n", path);
    return 1;
  }
  return 0;
}

// Writes the large texture the page's benchmark chooses again and again:
// bench_texture PATH SIZE.

#include <cstdio>
#include <cstdlib>

#include "bench_files.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_texture PATH SIZE\n");
    return 2;
  }
  const int size = std::atoi(argv[2]);
  writeTestBmp(argv[1], size, size);
  return 0;
}

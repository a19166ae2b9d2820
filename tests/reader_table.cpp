// Writes the reader's table into a folder: each file as NAME.bmp (none for a
// case without a file), files.txt naming them in order, and expected.txt,
// what tests/reader_replay.cpp must print for them, the pictures' checksums
// taken from an independent decoder.

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <string>

#include "bmp_files.h"
#include "reader_cases.h"

namespace {

std::uint32_t checksum(const Bytes& bytes) {
  std::uint32_t hash = 2166136261u;
  for (const std::uint8_t byte : bytes) hash = (hash ^ byte) * 16777619u;
  return hash;
}

std::string outcome(const ReaderCase& c, const std::string& path) {
  if (!c.message.empty()) return expectedMessage(c, path) + "refused\n";
  const ReferencePicture picture = referencePicture(c);
  char line[80];
  std::snprintf(line, sizeof line, "loaded %" PRIu32 " x %" PRIu32 ", bytes %08" PRIx32 "\n",
                picture.width, picture.rows, checksum(picture.pixels));
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: reader_table FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::ofstream files(dir + "/files.txt"), expected(dir + "/expected.txt");
  for (const ReaderCase& c : readerCases()) {
    const std::string path = c.name + ".bmp";
    if (c.file && !writeFile(dir + "/" + path, *c.file)) return 1;
    files << path << '\n';
    expected << "== " << path << '\n' << outcome(c, path);
  }
  return files && expected ? 0 : 1;
}

// The BMP reader on files the tests write themselves.

#include "texture/bmp.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include "bmp_files.h"

namespace {

struct Outcome {
  int result;
  std::string output;
  bool operator==(const Outcome& other) const {
    return result == other.result && output == other.output;
  }
};

void PrintTo(const Outcome& outcome, std::ostream* os) {
  *os << outcome.result << " \"" << outcome.output << "\"";
}

class BmpTest : public ::testing::Test {
 protected:
  Outcome load(const std::vector<std::uint8_t>& bytes) {
    writeFile(path(), bytes);
    return loadPath(path());
  }
  Outcome loadPath(const std::string& file) {
    ::testing::internal::CaptureStdout();
    const int result = loadBmp(file.c_str(), image);
    return {result, ::testing::internal::GetCapturedStdout()};
  }
  std::vector<std::uint8_t> buffer() const {
    const std::uint8_t* data = image.data.get();
    return {data, data + std::size_t{image.sizeX} * image.sizeY * 3};
  }
  std::string path() const { return dir.file("marmor.bmp"); }
  std::string message(const std::string& text) const {
    const auto at = text.find("%s");
    return text.substr(0, at) + path() + text.substr(at + 2);
  }

  TempDir dir;
  Image image;
};

}  // namespace

TEST_F(BmpTest, TurnsBlueGreenRedIntoRedGreenBlue) {
  std::vector<std::uint8_t> bytes = encodeBmp(Picture{4, 1});
  bytes[54] = 10;
  bytes[55] = 20;
  bytes[56] = 30;
  ASSERT_EQ(load(bytes).result, 1);
  EXPECT_EQ(image.data[0], 30);
  EXPECT_EQ(image.data[1], 20);
  EXPECT_EQ(image.data[2], 10);
}

TEST_F(BmpTest, RefusesFieldsItCannotReadWithTheirValues) {
  const std::vector<std::uint8_t> good = encodeBmp(Picture{4, 2});
  const struct {
    std::size_t at;
    std::uint32_t value;
    int size;
    const char* expected;
  } cases[] = {
      {26, 2, 2, "Planes from %s is not 1: 2\n"},
      {28, 8, 2, "Bpp from %s is not 24: 8\n"},
      {28, 32, 2, "Bpp from %s is not 24: 32\n"},
      {30, 1, 4, "Compression from %s is not 0: 1\n"},
      {30, 3, 4, "Compression from %s is not 0: 3\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    putField(bytes, c.at, c.value, c.size);
    const Outcome outcome = load(bytes);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.output, message(c.expected));
    EXPECT_EQ(image.sizeX, 4u) << "the sizes are kept";
  }
}

TEST_F(BmpTest, MissingBytesEnterTheFieldsAsMinusOne) {
  const std::vector<std::uint8_t> good = encodeBmp(Picture{4, 2});
  auto prefix = [&](std::size_t n) {
    return std::vector<std::uint8_t>(good.begin(), good.begin() + n);
  };
  EXPECT_EQ(load({}).output, message("Planes from %s is not 1: 65279\n"));
  EXPECT_EQ(load(prefix(20)).output, message("Planes from %s is not 1: 65279\n"));
  std::vector<std::uint8_t> onlyByte26 = prefix(27);
  onlyByte26[26] = 5;
  EXPECT_EQ(load(onlyByte26).output, message("Planes from %s is not 1: 65285\n"));
  EXPECT_EQ(load(prefix(28)).output, message("Bpp from %s is not 24: 65279\n"));
  // Byte 28 holds 24, byte 29 is missing: 24 - 256 taken as 16 bits.
  EXPECT_EQ(load(prefix(29)).output, message("Bpp from %s is not 24: 65304\n"));
}

TEST_F(BmpTest, ReportsPixelsThatAreNotThere) {
  const std::string readMessage = message("Error reading image data from %s.\n");
  std::vector<std::uint8_t> bytes = encodeBmp(Picture{5, 3});
  bytes.resize(bytes.size() - 20);
  EXPECT_EQ(load(bytes), (Outcome{0, readMessage}));
  bytes = encodeBmp(Picture{4, 2});
  putField(bytes, 10, 4096, 4);
  EXPECT_EQ(load(bytes), (Outcome{0, readMessage})) << "offset past the end";
  putField(bytes, 10, 0xEFFFFE34u, 4);
  EXPECT_EQ(load(bytes), (Outcome{0, readMessage})) << "offset far past the end";
  for (const auto& size : {std::pair{0, 3}, std::pair{3, 0}}) {
    bytes = encodeBmp(Picture{4, 2});
    putField(bytes, 18, size.first, 4);
    putField(bytes, 22, size.second, 4);
    EXPECT_EQ(load(bytes), (Outcome{0, readMessage})) << size.first << " x " << size.second;
  }
  // Just under 2^32 bytes: no refusal for size, but this small file cannot
  // hold it.
  putField(bytes, 18, 21845, 4);
  putField(bytes, 22, 65536, 4);
  EXPECT_EQ(load(bytes), (Outcome{0, readMessage}));
}

TEST_F(BmpTest, RefusesPicturesOfFourGigabytesOrMore) {
  const struct {
    std::uint32_t width, height;
    const char* expected;
  } cases[] = {
      {65536, 65536, "Size from %s is too large: 65536 x 65536\n"},
      {21846, 65536, "Size from %s is too large: 21846 x 65536\n"},
      {1, 0x80000000u, "Size from %s is too large: 1 x 2147483648\n"},
      {0xFFFFFFFFu, 1, "Size from %s is too large: 4294967295 x 1\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes = encodeBmp(Picture{4, 2});
    putField(bytes, 18, c.width, 4);
    putField(bytes, 22, c.height, 4);
    const Outcome outcome = load(bytes);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.output, message(c.expected));
    EXPECT_EQ(image.data, nullptr) << "nothing allocated";
  }
}

TEST_F(BmpTest, AMissingFileLeavesTheRecordUntouched) {
  image.sizeX = 77;
  const Outcome outcome = loadPath(dir.file("nothing.bmp"));
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.output, "File Not Found : " + dir.file("nothing.bmp") + "\n");
  EXPECT_EQ(image.sizeX, 77u);
}

// An independent decoder is the reference for what a file shows: bottom-up
// and top-down, with the larger information headers, small widths of every residue modulo 4 (so
// every amount of row padding), and pictures of about a megabyte that are read in several runs.
TEST_F(BmpTest, DecodesEveryLayoutAsAnIndependentDecoderDoes) {
  BmpLayout topDown, header108, header124;
  topDown.topDown = true;
  header108.infoHeaderSize = 108;
  header124.infoHeaderSize = 124;
  stbi_set_flip_vertically_on_load(1);  // bottom row first, as GL takes it
  for (const BmpLayout& layout : {BmpLayout{}, topDown, header108, header124}) {
    for (const Picture& picture :
         {Picture{1, 3}, Picture{2, 3}, Picture{3, 3}, Picture{4, 3}, Picture{5, 3}, Picture{6, 3},
          Picture{7, 3}, Picture{8, 3}, Picture{1001, 300}, Picture{1024, 300}}) {
      SCOPED_TRACE(std::to_string(picture.width) + " x " + std::to_string(picture.rows) +
                   ", header " + std::to_string(layout.infoHeaderSize) +
                   (layout.topDown ? ", top-down" : ""));
      const std::vector<std::uint8_t> bytes = encodeBmp(picture, layout);
      ASSERT_EQ(load(bytes), (Outcome{1, ""}));
      EXPECT_EQ(image.sizeX, static_cast<std::uint32_t>(picture.width));
      EXPECT_EQ(image.sizeY, static_cast<std::uint32_t>(picture.rows));
      int x = 0, y = 0, channels = 0;
      unsigned char* reference =
          stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &x, &y, &channels, 3);
      ASSERT_NE(reference, nullptr) << stbi_failure_reason();
      EXPECT_EQ(buffer(), std::vector<std::uint8_t>(reference, reference + x * y * 3));
      stbi_image_free(reference);
    }
  }
}

TEST_F(BmpTest, TakesThePixelsFromTheOffsetOrFromByte54) {
  const Picture picture{6, 2};
  BmpLayout gap;
  gap.gap = 1024;
  ASSERT_EQ(load(encodeBmp(picture, gap)).result, 1);
  EXPECT_EQ(buffer(), picture.rgbBottomUp());
  // An offset below 54, and a file that does not start with BM, are read
  // from byte 54 all the same.
  std::vector<std::uint8_t> bytes = encodeBmp(picture);
  putField(bytes, 10, 0, 4);
  bytes[0] = 'X';
  ASSERT_EQ(load(bytes).result, 1);
  EXPECT_EQ(buffer(), picture.rgbBottomUp());
}

#if !defined(__SANITIZE_ADDRESS__)
// A picture the process has no room for: the file is sparse, so it holds
// the pixels without taking the disk, and the address space is capped in a
// child process.
TEST_F(BmpTest, ReportsAnAllocationItCannotMake) {
  std::vector<std::uint8_t> bytes = encodeBmp(Picture{4, 1});
  putField(bytes, 18, 8192, 4);
  putField(bytes, 22, 8192, 4);
  writeFile(path(), bytes);
  ASSERT_EQ(truncate(path().c_str(), 54 + 8192L * 8192 * 3), 0);
  const std::string file = path();
  auto loadWithLittleMemory = [&] {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    statm >> pages;
    const rlim_t cap = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64L << 20);
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_AS, &limit);
    Image big;
    const int result = loadBmp(file.c_str(), big);
    std::fflush(stdout);
    std::_Exit(result == 0 && !big.data ? 0 : 1);
  };
  EXPECT_EXIT(loadWithLittleMemory(), ::testing::ExitedWithCode(0),
              "^Error allocating memory for color-corrected image data$");
}
#endif

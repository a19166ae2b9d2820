// The BMP reader on files the tests write themselves: one table of files,
// each with the message it must bring, or none when it must be read. A file
// that is read must give the picture an independent decoder sees in it.

#include "texture/bmp.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "bmp_files.h"
#include "reader_cases.h"

// Named in test listings by the table's own name; beside ReaderCase, where
// the printer looks for it.
void PrintTo(const ReaderCase& c, std::ostream* os) {
  *os << c.name;
}

namespace {

class ReaderTest : public ::testing::TestWithParam<ReaderCase> {};

}  // namespace

TEST_P(ReaderTest, ReadsThePictureOrSaysWhyNot) {
  const ReaderCase& c = GetParam();
  const TempDir dir;
  const std::string path = dir.file("marmor.bmp");
  if (c.file) writeFile(path, *c.file);
  Image image;
  ::testing::internal::CaptureStdout();
  const int result = loadBmp(path.c_str(), image);
  const std::string output = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(output, expectedMessage(c, path));
  EXPECT_EQ(result, c.message.empty() ? 1 : 0);
  if (result != 1 || !c.message.empty()) return;
  const ReferencePicture reference = referencePicture(c);
  ASSERT_FALSE(reference.pixels.empty());
  EXPECT_EQ(image.sizeX, reference.width);
  EXPECT_EQ(image.sizeY, reference.rows);
  EXPECT_EQ(Bytes(image.data.get(), image.data.get() + reference.pixels.size()), reference.pixels);
}

INSTANTIATE_TEST_SUITE_P(Files, ReaderTest, ::testing::ValuesIn(readerCases()),
                         [](const auto& info) { return info.param.name; });

#if !defined(__SANITIZE_ADDRESS__)
// A picture the process has no room for: the file is sparse, so it holds
// the pixels without taking the disk, and the address space is capped in a
// child process.
TEST(Reader, ReportsAnAllocationItCannotMake) {
  const TempDir dir;
  const std::string path = dir.file("marmor.bmp");
  writeFile(path, edited(encodeBmp(Picture{4, 1}), {{18, 8192, 4}, {22, 8192, 4}}));
  ASSERT_EQ(truncate(path.c_str(), 54 + 8192L * 8192 * 3), 0);
  auto loadWithLittleMemory = [&] {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    statm >> pages;
    const rlim_t cap = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64L << 20);
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_AS, &limit);
    Image big;
    const int result = loadBmp(path.c_str(), big);
    std::fflush(stdout);
    std::_Exit(result == 0 && !big.data ? 0 : 1);
  };
  EXPECT_EXIT(loadWithLittleMemory(), ::testing::ExitedWithCode(0),
              "^Error allocating memory for color-corrected image data$");
}
#endif

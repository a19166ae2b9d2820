#pragma once

// The reader's table: files the tests write themselves, each with the
// message it must bring, or none when it must be read. The same table runs
// in-process and, through tests/reader_replay.cpp, on every platform the
// reader ships on.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct ReaderCase {
  std::string name;
  std::optional<Bytes> file;  // none: there is no file
  std::string message;        // "%s" stands for the path; empty when the file is read
  // A file the decoder reads as this one's picture, where it is not itself.
  std::optional<Bytes> shows = std::nullopt;
};

std::vector<ReaderCase> readerCases();

// A file with some of its little-endian fields set.
struct Field {
  std::size_t at;
  std::uint32_t value;
  int size;
};
Bytes edited(Bytes bytes, std::initializer_list<Field> fields);

// The message with "%s" replaced by the path.
std::string expectedMessage(const ReaderCase& c, const std::string& path);

// What an independent decoder sees in a file that must be read: red, green,
// blue, the bottom row first. Empty when it cannot decode it.
struct ReferencePicture {
  std::uint32_t width = 0;
  std::uint32_t rows = 0;
  Bytes pixels;
};
ReferencePicture referencePicture(const ReaderCase& c);

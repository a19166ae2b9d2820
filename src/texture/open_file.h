#pragma once

#include <cstdint>
#include <cstdio>

// Opens the file named in UTF-8 for reading raw bytes; null when it cannot.
std::FILE* openForReading(const char* name);

// Moves the read position as fseek does, but in 64 bits wherever `long`
// has 32, so that a file's length and an offset past 2 GiB mean the same on
// every platform. Returns the new position, or -1 when the move failed.
std::int64_t seekFile(std::FILE* file, std::int64_t offset, int origin);

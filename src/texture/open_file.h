#pragma once

#include <cstdio>

// Opens the file named in UTF-8 for reading raw bytes; null when it cannot.
std::FILE* openForReading(const char* name);

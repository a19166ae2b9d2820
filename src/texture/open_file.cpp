#include "texture/open_file.h"

#ifdef _WIN32
#include <filesystem>
#endif

std::FILE* openForReading(const char* name) {
#ifdef _WIN32
  // The narrow call would read the name in the system's code page, and miss
  // a folder named in another script.
  return _wfopen(std::filesystem::u8path(name).c_str(), L"rb");
#else
  return std::fopen(name, "rb");
#endif
}

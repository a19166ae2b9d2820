#include "texture/open_file.h"

#ifdef _WIN32
#include <filesystem>
#endif

std::FILE* openForReading(const char* name) {
#ifdef _WIN32
  // The narrow call would read the name in the system's code page, and miss
  // a folder named in another script. A whole drive path goes in its
  // extended form, which Windows takes past MAX_PATH characters, so a
  // program unpacked deep in a user's folders still finds its marble;
  // network and already extended paths start with two backslashes.
  std::filesystem::path path = std::filesystem::u8path(name);
  if (path.is_absolute() && path.native().rfind(L"\\\\", 0) != 0) {
    path = L"\\\\?\\" + path.lexically_normal().native();
  }
  return _wfopen(path.c_str(), L"rb");
#else
  return std::fopen(name, "rb");
#endif
}

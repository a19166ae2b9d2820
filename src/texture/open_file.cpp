#include "texture/open_file.h"

#ifdef _WIN32
#include <filesystem>
#else
#include <sys/types.h>
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

std::int64_t seekFile(std::FILE* file, std::int64_t offset, int origin) {
#ifdef _WIN32
  if (_fseeki64(file, offset, origin) != 0) return -1;
  return _ftelli64(file);
#else
  static_assert(sizeof(off_t) == 8, "file offsets need 64 bits");
  if (fseeko(file, static_cast<off_t>(offset), origin) != 0) return -1;
  return ftello(file);
#endif
}

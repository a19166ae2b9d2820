#include "texture/texture_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include "app/state.h"
#include "texture/open_file.h"

namespace fs = std::filesystem;

namespace {

// The folder the running program lies in; empty when unknown.
fs::path programFolder() {
#ifdef _WIN32
  // Wide all the way, so a folder named in any script is found.
  std::wstring name(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()))) ==
         name.size()) {
    name.resize(name.size() * 2);
  }
  if (length == 0) return {};
  name.resize(length);
  return fs::path(name).parent_path();
#else
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : program.parent_path();
#endif
}

// Asked through the reader's own call, which also takes the long paths
// that other calls refuse on Windows.
bool canOpen(const std::string& name) {
  std::FILE* file = openForReading(name.c_str());
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

std::string bundledTextureFile() {
  const fs::path folder = programFolder();
  if (folder.empty()) return "";
  const fs::path file = folder / MARBLECHESS_DATA_FROM_BIN / textureFileName;
  return file.lexically_normal().u8string();
}

std::string textureFile() {
  std::error_code error;
  if (fs::exists(textureFileName, error)) return textureFileName;
  const std::string bundled = bundledTextureFile();
  if (!bundled.empty() && canOpen(bundled)) return bundled;
  return textureFileName;
}

#include "texture/texture_file.h"

#include <filesystem>
#include <system_error>

#include "app/state.h"

namespace fs = std::filesystem;

std::string bundledTextureFile() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return "";
  const fs::path file = program.parent_path() / MARBLECHESS_DATA_FROM_BIN / textureFileName;
  return file.lexically_normal().string();
}

std::string textureFile() {
  std::error_code error;
  if (fs::exists(textureFileName, error)) return textureFileName;
  const std::string bundled = bundledTextureFile();
  if (!bundled.empty() && fs::exists(bundled, error)) return bundled;
  return textureFileName;
}

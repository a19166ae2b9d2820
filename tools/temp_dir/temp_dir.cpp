#include "temp_dir/temp_dir.h"

#include <stdlib.h>

#include <filesystem>

TempDir::TempDir() {
  char templ[] = "/tmp/marblechess-XXXXXX";
  if (mkdtemp(templ) != nullptr) path_ = templ;
}

TempDir::~TempDir() {
  if (!path_.empty()) std::filesystem::remove_all(path_);
}

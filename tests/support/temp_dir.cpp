#include "temp_dir.h"

#include <random>
#include <stdexcept>

TempDir::TempDir(const std::string& prefix) {
  // create_directory makes a new folder or reports that the name is taken: then another try.
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    std::filesystem::path candidate =
        std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) path_ = std::move(candidate);
  }
  if (path_.empty()) throw std::runtime_error("cannot create a temporary folder " + prefix);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

#pragma once
#include <filesystem>
#include <string>

// A fresh directory under the system's temporary directory, removed with its contents when
// the object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

#pragma once
// The file a fuzz target hands to a loader that reads from a path: one per process, in a
// temporary directory removed when the process ends, rewritten with every input.
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "temp_dir.h"

class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name) : path_(dir_.Path() / name) {}

  // Replaces the file with one holding `bytes`; returns its path. A new file, not a truncated
  // one: file systems flush a truncated file's data when it is closed, which is slow.
  const std::filesystem::path& Write(std::string_view bytes) const {
    std::filesystem::remove(path_);
    std::ofstream(path_, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path_;
  }

  const std::filesystem::path& Dir() const { return dir_.Path(); }

 private:
  TempDir dir_{"talvo-fuzz-"};
  std::filesystem::path path_;
};

#include "files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/file_write.h"

std::string ReadWholeFile(const std::filesystem::path& path) {
  const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"),
                                                                &std::fclose);
  std::string bytes;
  if (file) {
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
    if (!std::ferror(file.get())) return bytes;
  }
  if (errno == ENOENT) throw NoSuchFile(path);
  throw ToolError(path.string() + ": cannot read it: " + std::strerror(errno));
}

ToolError NoSuchFile(const std::filesystem::path& path) {
  return ToolError(path.string() + ": no such file");
}

void WriteOutputFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  if (const std::error_code error = WriteWholeFile(folder, path.filename().string(), bytes)) {
    throw ToolError(path.string() + ": cannot write it: " + error.message());
  }
}

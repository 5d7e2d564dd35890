#include "atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tool_error.h"

namespace {

// The permissions a new file gets from open(2): mkstemp's are owner-only.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    throw ToolError(path.string() + ": cannot write it: " + std::strerror(errno));
  }
  const bool written = WriteAll(fd, bytes) && fchmod(fd, NewFileMode()) == 0 && fsync(fd) == 0;
  const int write_error = errno;
  const bool closed = close(fd) == 0;
  if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) return;
  const int error = !written ? write_error : errno;
  unlink(temporary.c_str());
  throw ToolError(path.string() + ": cannot write it: " + std::strerror(error));
}

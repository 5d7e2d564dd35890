#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "platform/file_write.h"

namespace {

namespace fs = std::filesystem;

std::error_code LastError() {
  return {errno, std::generic_category()};
}

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

// Creates a new file ".name.XXXXXX" in `dir` and returns its descriptor, or -1 with errno set.
// Its mode is that of any created file: 0666 less the umask.
int CreateTemporary(const fs::path& dir, std::string_view name, fs::path& temp) {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix(6, ' ');
    for (char& c : suffix) c = kLetters[pick(random)];
    temp = dir / ("." + std::string(name) + "." + suffix);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes all of `bytes` to `fd`, puts them on disk and closes `fd`, also on failure.
std::error_code WriteSyncClose(int fd, std::string_view bytes) {
  std::error_code failure;
  while (!bytes.empty() && !failure) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    } else if (errno != EINTR) {
      failure = LastError();
    }
  }
  if (!failure && ::fsync(fd) != 0) failure = LastError();
  if (::close(fd) != 0 && !failure) failure = LastError();
  return failure;
}

// Puts the directory's entries on disk, so that a file renamed into place keeps its name across
// a power cut, before anything written later (the completion marker) can.
std::error_code SyncDirectory(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LastError();
  std::error_code failure;
  // EINVAL: a file system that cannot sync a directory; there is nothing more to do.
  if (::fsync(fd) != 0 && errno != EINVAL) failure = LastError();
  ::close(fd);
  return failure;
}

}  // namespace

std::error_code WriteWholeFile(const fs::path& dir, std::string_view name, std::string_view bytes) {
  if (!IsPlainName(name)) return std::make_error_code(std::errc::invalid_argument);
  const fs::path path = dir / name;
  fs::path temp;
  const int fd = CreateTemporary(dir, name, temp);
  std::error_code failure = fd < 0 ? LastError() : WriteSyncClose(fd, bytes);
  if (!failure && ::rename(temp.c_str(), path.c_str()) != 0) failure = LastError();
  if (!failure) failure = SyncDirectory(dir);
  if (failure) {
    if (fd >= 0) ::unlink(temp.c_str());
    ::unlink(path.c_str());
  }
  return failure;
}

std::error_code CreateFileIfMissing(const fs::path& dir, std::string_view name) {
  if (!IsPlainName(name)) return std::make_error_code(std::errc::invalid_argument);
  const fs::path path = dir / name;
  constexpr int kFlags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(path.c_str(), kFlags, 0666);
  if (fd < 0 && errno == ELOOP && ::unlink(path.c_str()) == 0) {
    fd = ::open(path.c_str(), kFlags, 0666);
  }
  if (fd < 0) return LastError();
  ::close(fd);
  return {};
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_read.h"

std::optional<std::string> ReadFileHead(const std::filesystem::path& path, std::size_t max_bytes) {
  // Checked before the open, so that no device is opened at all, and again on the descriptor,
  // which is what is read. O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> head;
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) head.emplace(max_bytes, '\0');
  std::size_t size = 0;
  while (head && size < max_bytes) {
    const ssize_t got = ::read(fd, head->data() + size, max_bytes - size);
    if (got > 0) {
      size += static_cast<std::size_t>(got);
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      head.reset();
    }
  }
  ::close(fd);
  if (head) head->resize(size);
  return head;
}

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "modem/port_lock.h"

namespace {
// The PID a lock file names: ASCII digits, possibly right-aligned with blanks; 0 when none.
pid_t LockOwner(const std::filesystem::path& file) {
  std::ifstream in(file);
  long pid = 0;
  if (!(in >> pid) || pid <= 0) return 0;
  return static_cast<pid_t>(pid);
}

bool IsAlive(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno == EPERM;
}
}  // namespace

std::string UucpLockName(const std::filesystem::path& device) {
  std::string name = device.lexically_relative("/dev").string();
  if (name.empty() || name.starts_with("..")) name = device.filename().string();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return "LCK.." + name;
}

bool PortLock::Acquire(const std::filesystem::path& device, const std::filesystem::path& lock_dir) {
  Release();
  const std::filesystem::path lock_file = lock_dir / UucpLockName(device);
  if (const pid_t owner = LockOwner(lock_file); owner != 0 && owner != ::getpid()) {
    if (IsAlive(owner)) return false;
    std::error_code ignored;
    std::filesystem::remove(lock_file, ignored);
  }
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return false;
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    Release();
    return false;
  }
  return true;
}

void PortLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing drops the flock
  fd_ = -1;
}

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

// Why a lock file keeps the port from us ("" when it does not); a stale one is removed.
std::string CheckLockFile(const std::filesystem::path& file) {
  const pid_t owner = LockOwner(file);
  if (owner == 0 || owner == ::getpid()) return {};
  if (IsAlive(owner)) {
    return "held by another program (PID " + std::to_string(owner) + ", " + file.string() + ")";
  }
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
  return {};
}

std::string OpenFailure(int error) {
  if (error == ENOENT || error == ENXIO || error == ENODEV) return "no such device";
  if (error == EACCES || error == EPERM) {
    return "permission denied (is the user in the group that owns the device, e.g. dialout?)";
  }
  return std::strerror(error);
}

// A lock file in the UUCP form: the PID right-aligned in ten columns.
bool CreateLockFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  char text[16];
  const int len = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(::getpid()));
  const bool written = ::write(fd, text, static_cast<std::size_t>(len)) == len;
  ::close(fd);
  return written;
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

std::string PortLock::Acquire(const std::filesystem::path& device,
                              const std::filesystem::path& alias,
                              const std::filesystem::path& lock_dir) {
  Release();
  const std::filesystem::path device_lock = lock_dir / UucpLockName(device);
  const std::filesystem::path alias_lock = lock_dir / UucpLockName(alias);
  for (const auto& file : {device_lock, alias_lock}) {
    if (std::string held = CheckLockFile(file); !held.empty()) return held;
  }
  fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return OpenFailure(errno);
  std::string refusal;
  if (!::isatty(fd_)) {
    refusal = "not a terminal";
  } else if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    refusal = "held by another program (it has the device locked)";
  }
  if (!refusal.empty()) {
    Release();
    return refusal;
  }
  // The device's own lock file is the serial port's business; the alias's is ours. A lock
  // directory we may not write to leaves the alias to the flock alone.
  if (alias_lock != device_lock && CreateLockFile(alias_lock)) alias_lock_ = alias_lock;
  return {};
}

void PortLock::Release() {
  if (!alias_lock_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(alias_lock_, ignored);
    alias_lock_.clear();
  }
  if (fd_ < 0) return;
  ::close(fd_);  // closing drops the flock
  fd_ = -1;
}

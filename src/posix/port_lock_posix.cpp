#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/file_read.h"
#include "posix/port_lock.h"

struct PortLock::Hold {
  int fd = -1;
  std::filesystem::path alias_lock;  // the lock file talvo made for the alias, if any

  ~Hold() {
    if (!alias_lock.empty()) {
      std::error_code ignored;
      std::filesystem::remove(alias_lock, ignored);
    }
    if (fd >= 0) ::close(fd);  // closing drops the flock
  }
};

namespace {
// The most of a lock file that is read: the PID in ASCII, and a line or two more in some forms.
constexpr std::size_t kLockFileHead = 128;

// The PID a lock file names: ASCII digits, possibly right-aligned with blanks; 0 when none. The
// lock folder is writable by every local user: anything there that is not a regular file (a
// FIFO would block the open) names no one.
long LockOwner(const std::filesystem::path& file) {
  const std::optional<std::string> head = ReadFileHead(file, kLockFileHead);
  if (!head) return 0;
  char* end = nullptr;
  const long pid = std::strtol(head->c_str(), &end, 10);
  return end != head->c_str() && pid > 0 ? pid : 0;
}

// A process we may not signal runs all the same: another user's fax or dial-in service.
bool IsAlive(const ProcessProbe& probe, long pid) {
  const std::errc answer = probe(pid);
  return answer == std::errc{} || answer == std::errc::operation_not_permitted;
}

PortRefusal OpenFailure(int error) {
  if (error == ENOENT || error == ENXIO || error == ENODEV) {
    return {.reason = PortRefusal::Reason::kNoDevice};
  }
  if (error == EACCES || error == EPERM) return {.reason = PortRefusal::Reason::kDenied};
  return {.reason = PortRefusal::Reason::kOther, .detail = std::strerror(error)};
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

std::errc SignalProcess(long pid) {
  return ::kill(static_cast<pid_t>(pid), 0) == 0 ? std::errc{} : std::errc(errno);
}

PortLock::PortLock() : PortLock("/var/lock") {}

PortLock::PortLock(std::filesystem::path lock_dir, ProcessProbe probe)
    : lock_dir_(std::move(lock_dir)), probe_(std::move(probe)) {}

PortLock::~PortLock() = default;

std::optional<PortRefusal> PortLock::Acquire(const std::filesystem::path& device,
                                             const std::filesystem::path& alias) {
  Release();
  const std::filesystem::path device_lock = lock_dir_ / UucpLockName(device);
  const std::filesystem::path alias_lock = lock_dir_ / UucpLockName(alias);
  for (const auto& file : {device_lock, alias_lock}) {
    const long owner = LockOwner(file);
    if (owner == 0 || owner == ::getpid()) continue;
    if (IsAlive(probe_, owner)) {
      return PortRefusal{
          .reason = PortRefusal::Reason::kHeldByProcess, .pid = owner, .lock_file = file};
    }
    std::error_code ignored;
    std::filesystem::remove(file, ignored);  // stale
  }
  auto hold = std::make_unique<Hold>();
  hold->fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (hold->fd < 0) return OpenFailure(errno);
  if (!::isatty(hold->fd)) return PortRefusal{.reason = PortRefusal::Reason::kNotATerminal};
  if (::flock(hold->fd, LOCK_EX | LOCK_NB) != 0) {
    return PortRefusal{.reason = PortRefusal::Reason::kHeldByLock};
  }
  // The device's own lock file is the serial port's business; the alias's is ours. A lock
  // folder we may not write to leaves the alias to the flock alone.
  if (alias_lock != device_lock && CreateLockFile(alias_lock)) hold->alias_lock = alias_lock;
  hold_ = std::move(hold);
  return std::nullopt;
}

void PortLock::Release() {
  hold_.reset();
}

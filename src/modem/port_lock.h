#pragma once
// A modem is never shared: before the port opens, talvo honours the locks other serial
// programs take. A UUCP lock file /var/lock/LCK..<name> (name = the device path below /dev
// with '/' turned into '_') that names a live process means the port is held; one that names
// a dead process is stale and is removed. Programs lock by the name they were given, so when
// the port is named by a link (/dev/modem), the link's lock file counts as well as the
// device's, and talvo holds the link's name itself while it has the port. An flock on the
// device means the port is held too; talvo takes one itself for as long as it holds the port.
#include <filesystem>
#include <string>

// The lock file name for a device path, e.g. "/dev/pts/5" -> "LCK..pts_5".
std::string UucpLockName(const std::filesystem::path& device);

class PortLock {
 public:
  PortLock() = default;
  ~PortLock() { Release(); }
  PortLock(const PortLock&) = delete;
  PortLock& operator=(const PortLock&) = delete;

  // Takes the locks of `device`, named `alias` by whoever chose it (the device itself when it
  // was not named by a link). Returns "" once the port is ours, else why it is not: no such
  // device, permission denied, held by another program, not a terminal.
  std::string Acquire(const std::filesystem::path& device, const std::filesystem::path& alias,
                      const std::filesystem::path& lock_dir = "/var/lock");
  void Release();

 private:
  int fd_ = -1;
  std::filesystem::path alias_lock_;  // the lock file talvo made for the alias, if any
};

#pragma once
// A modem is never shared: before the port opens, talvo honours the locks other serial
// programs take. A UUCP lock file /var/lock/LCK..<name> (name = the device path below /dev
// with '/' turned into '_') that names a live process means the port is held; one that names
// a dead process is stale and is removed. An flock on the device means the same; talvo takes
// one itself for as long as it holds the port.
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

  // Takes the port's lock; false when another process holds the port.
  bool Acquire(const std::filesystem::path& device,
               const std::filesystem::path& lock_dir = "/var/lock");
  void Release();

 private:
  int fd_ = -1;
};

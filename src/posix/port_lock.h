#pragma once
// A modem is never shared: before the port opens, talvo honours the locks other serial
// programs take. A UUCP lock file LCK..<name> in the system's lock folder (name = the device
// path below /dev with '/' turned into '_') that names a live process means the port is held;
// one that names a dead process is stale and is removed. Programs lock by the name they were
// given, so when the port is named by a link (/dev/modem), the link's lock file counts as well
// as the device's, and talvo holds the link's name itself while it has the port. A lock on the
// device itself (flock) means the port is held too; talvo takes one for as long as it holds
// the port.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "modem/port_refusal.h"

// The lock file name for a device path, e.g. "/dev/pts/5" -> "LCK..pts_5".
std::string UucpLockName(const std::filesystem::path& device);

// Whether the process `pid` still runs, as the system answers a null signal sent to it:
// success, no_such_process, or operation_not_permitted for another user's process.
using ProcessProbe = std::function<std::errc(long pid)>;
// The system's answer.
std::errc SignalProcess(long pid);

class PortLock {
 public:
  // The system's lock folder.
  PortLock();
  PortLock(std::filesystem::path lock_dir, ProcessProbe probe = SignalProcess);
  ~PortLock();
  PortLock(const PortLock&) = delete;
  PortLock& operator=(const PortLock&) = delete;

  // Takes the locks of `device`, named `alias` by whoever chose it (the device itself when it
  // was not named by a link). Nothing once the port is ours, else why it is not.
  std::optional<PortRefusal> Acquire(const std::filesystem::path& device,
                                     const std::filesystem::path& alias);
  void Release();

 private:
  struct Hold;  // the system's handle on the device, and the alias's lock file

  std::filesystem::path lock_dir_;
  ProcessProbe probe_;
  std::unique_ptr<Hold> hold_;
};

#pragma once
// Why a serial port cannot be had, in terms the job can act on and the user can read.
#include <filesystem>
#include <string>

struct PortRefusal {
  enum class Reason {
    kHeldByProcess,  // a live process's lock file names the device or its alias
    kHeldByLock,     // another program has the device itself locked
    kNoDevice,
    kDenied,
    kNotATerminal,
    kOther,  // `detail` says what the system said
  };
  Reason reason;
  long pid = 0;                       // kHeldByProcess
  std::filesystem::path lock_file{};  // kHeldByProcess
  std::string detail{};               // kOther

  friend bool operator==(const PortRefusal&, const PortRefusal&) = default;
};

// The refusal as the user reads it on stderr, e.g. "held by another program (PID 1234,
// /var/lock/LCK..modem)".
std::string Describe(const PortRefusal& refusal);

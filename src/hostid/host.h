#pragma once
// korvin's view of the machine: the few operating-system services that its report reads.
// Each platform has one adapter file (host_posix.cpp, host_win.cpp); the report logic sees
// only this interface, so tests can run it against a scripted machine.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A LANA number on Windows, an interface index on POSIX.
using AdapterId = unsigned;
using HardwareAddress = std::array<std::uint8_t, 6>;
using Ipv4Address = std::array<std::uint8_t, 4>;

struct InterfaceAddress {
  Ipv4Address address{};
  bool up = true;
  bool loopback = false;
};

class TextFile {
 public:
  virtual ~TextFile() = default;

  // One read in the manner of fgets: up to and including the next line feed, but never more
  // than `max_chars` characters, so an overlong line comes back in pieces. nullopt when nothing
  // is left to read.
  virtual std::optional<std::string> ReadLine(std::size_t max_chars) = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  virtual void StartSockets() = 0;
  virtual void CleanUpSockets() = 0;

  // Both queries offer a buffer of `capacity` characters including the terminator; a name that
  // does not fit, or a refusal, gives nullopt.
  virtual std::optional<std::string> ComputerName(std::size_t capacity) = 0;
  virtual std::optional<std::string> HostName(std::size_t capacity) = 0;

  // The IPv4 addresses of the host entry for `name`, in the resolver's order; empty when there
  // is no entry.
  virtual std::vector<Ipv4Address> LookUpHost(const std::string& name) = 0;

  // The IPv4 addresses of the machine's network interfaces, in the kernel's order.
  virtual std::vector<InterfaceAddress> InterfaceAddresses() = 0;

  // The adapters in the platform's own order.
  virtual std::vector<AdapterId> EnumerateAdapters() = 0;
  virtual void ResetAdapter(AdapterId adapter) = 0;
  // The adapter's hardware address; nullopt when its status query fails.
  virtual std::optional<HardwareAddress> AdapterStatus(AdapterId adapter) = 0;

  // Runs a command of the Windows command interpreter ("cls", "ver > ver", "del ver") and waits
  // for it to finish.
  virtual void RunCommand(const std::string& command) = 0;

  // The system's name and release in the shape of the version command's line, with its line
  // feed, for when that command leaves nothing to read; nullopt where the platform has none.
  virtual std::optional<std::string> SystemVersionLine() = 0;

  // nullptr when the file cannot be opened for reading. The file closes with the object.
  virtual std::unique_ptr<TextFile> OpenTextFile(const std::string& name) = 0;
};

// The host korvin runs on; defined by the platform's adapter file.
std::unique_ptr<Host> MakePlatformHost();

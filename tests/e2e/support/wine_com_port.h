#pragma once
// A COM port of Wine's for a pseudo-terminal: Wine names a serial device COMn after the link
// "comn" in its prefix's dosdevices folder. Each run claims a number no other run holds, by
// creating that link (which fails when it exists), so that runs side by side never share a
// port; the link goes with the object.
#include <filesystem>
#include <string>

class WineComPort {
 public:
  // Links a free COM number of `prefix` to `device`; throws std::runtime_error when none is free.
  WineComPort(const std::filesystem::path& prefix, const std::filesystem::path& device);
  ~WineComPort();
  WineComPort(const WineComPort&) = delete;
  WineComPort& operator=(const WineComPort&) = delete;

  // "COM12", as TALVO_COM<n> names it.
  const std::string& Name() const { return name_; }

 private:
  std::filesystem::path link_;
  std::string name_;
};

// The Wine prefix the end-to-end runs share, in the build folder.
std::filesystem::path WinePrefix();

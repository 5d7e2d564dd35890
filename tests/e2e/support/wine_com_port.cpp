#include "support/wine_com_port.h"

#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace {
// Windows counts COM ports from 1; the low ones are left to real devices and other programs.
constexpr int kFirst = 10;
constexpr int kLast = 250;
}  // namespace

WineComPort::WineComPort(const std::filesystem::path& prefix, const std::filesystem::path& device) {
  const std::filesystem::path devices = prefix / "dosdevices";
  std::filesystem::create_directories(devices);
  // Runs started together begin their search at different numbers.
  const int start = static_cast<int>(::getpid() % (kLast - kFirst + 1));
  for (int i = 0; i <= kLast - kFirst; ++i) {
    const int number = kFirst + (start + i) % (kLast - kFirst + 1);
    const std::filesystem::path link = devices / ("com" + std::to_string(number));
    if (::symlink(device.c_str(), link.c_str()) == 0) {
      link_ = link;
      name_ = "COM" + std::to_string(number);
      return;
    }
    if (errno != EEXIST) throw std::system_error(errno, std::generic_category(), link.string());
  }
  throw std::runtime_error("no free COM port in " + devices.string());
}

WineComPort::~WineComPort() {
  std::error_code ignored;
  std::filesystem::remove(link_, ignored);
}

std::filesystem::path WinePrefix() {
  return TALVO_E2E_WINEPREFIX;
}

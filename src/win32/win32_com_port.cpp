#include "win32/win32_com_port.h"

#include <string_view>

namespace {

constexpr std::string_view kDevicePrefix = R"(\\.\)";
// With RTS handshake, RTS drops once fewer than this many bytes of the input buffer are free,
// and rises again once no more than this many are waiting.
constexpr WORD kHandshakeLimit = 2048;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

BYTE ToDcb(LineSettings::Parity parity) {
  switch (parity) {
    case LineSettings::Parity::kNone:
      return NOPARITY;
    case LineSettings::Parity::kEven:
      return EVENPARITY;
    case LineSettings::Parity::kOdd:
      return ODDPARITY;
    case LineSettings::Parity::kMark:
      return MARKPARITY;
    case LineSettings::Parity::kSpace:
      return SPACEPARITY;
  }
  return NOPARITY;
}

BYTE ToDcb(LineSettings::StopBits stop_bits) {
  switch (stop_bits) {
    case LineSettings::StopBits::kOne:
      return ONESTOPBIT;
    case LineSettings::StopBits::kOneAndHalf:
      return ONE5STOPBITS;
    case LineSettings::StopBits::kTwo:
      return TWOSTOPBITS;
  }
  return ONESTOPBIT;
}

// Windows's text for `error`, without its closing full stop and line break.
std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message(text != nullptr ? text : "", length);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' ')) {
    message.pop_back();
  }
  const std::string code = "error " + std::to_string(error);
  return message.empty() ? code : message + " (" + code + ")";
}

}  // namespace

std::string ComDevicePath(int port, const char* configured) {
  const std::string name = configured != nullptr ? configured : "COM" + std::to_string(port);
  return name.starts_with(kDevicePrefix) ? name : std::string(kDevicePrefix) + name;
}

DCB ComDcb(const LineSettings& settings) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = static_cast<DWORD>(settings.speed);
  dcb.fBinary = TRUE;
  dcb.fParity = settings.parity != LineSettings::Parity::kNone;
  dcb.Parity = ToDcb(settings.parity);
  dcb.ByteSize = static_cast<BYTE>(settings.data_bits);
  dcb.StopBits = ToDcb(settings.stop_bits);
  dcb.fOutxCtsFlow = TRUE;
  dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.XonLim = kHandshakeLimit;
  dcb.XoffLim = kHandshakeLimit;
  // Unused without software flow control, but the driver refuses a DCB where they are equal.
  dcb.XonChar = kXon;
  dcb.XoffChar = kXoff;
  return dcb;
}

std::string DescribeOpenError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return "no such device";
    case ERROR_SHARING_VIOLATION:
      return "in use by another program";
    // What Windows answers for a port that another program has open.
    case ERROR_ACCESS_DENIED:
      return "in use by another program, or access denied";
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
      return "not a serial port";
    default:
      return SystemMessage(error);
  }
}

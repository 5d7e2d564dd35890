#include "modem/qt_serial_control.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace {
struct LineSettings {
  qint32 speed;
  QSerialPort::Parity parity;
  QSerialPort::DataBits data_bits;
  QSerialPort::StopBits stop_bits;
};

std::vector<std::string> SplitCommas(std::string_view text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == ',') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

std::optional<LineSettings> ParseSettings(std::string_view text) {
  const std::vector<std::string> parts = SplitCommas(text);
  if (parts.size() != 4) return std::nullopt;
  LineSettings s{};
  char* end = nullptr;
  const long speed = std::strtol(parts[0].c_str(), &end, 10);
  if (parts[0].empty() || *end != '\0' || speed <= 0 || speed > 4000000) return std::nullopt;
  s.speed = static_cast<qint32>(speed);
  const std::string& p = parts[1];
  if (p == "n") {
    s.parity = QSerialPort::NoParity;
  } else if (p == "e") {
    s.parity = QSerialPort::EvenParity;
  } else if (p == "o") {
    s.parity = QSerialPort::OddParity;
  } else if (p == "m") {
    s.parity = QSerialPort::MarkParity;
  } else if (p == "s") {
    s.parity = QSerialPort::SpaceParity;
  } else {
    return std::nullopt;
  }
  if (parts[2].size() != 1 || parts[2][0] < '5' || parts[2][0] > '8') return std::nullopt;
  s.data_bits = static_cast<QSerialPort::DataBits>(parts[2][0] - '0');
  if (parts[3] == "1") {
    s.stop_bits = QSerialPort::OneStop;
  } else if (parts[3] == "1.5") {
    s.stop_bits = QSerialPort::OneAndHalfStop;
  } else if (parts[3] == "2") {
    s.stop_bits = QSerialPort::TwoStop;
  } else {
    return std::nullopt;
  }
  return s;
}
}  // namespace

QtSerialControl::QtSerialControl() {
  port_.setReadBufferSize(kBufferSize);
}

QtSerialControl::~QtSerialControl() {
  SetPortOpen(false);
}

bool QtSerialControl::SetCommPort(int port) {
  if (port_.isOpen() || port < 1) return false;
  const std::string variable = "TALVO_COM" + std::to_string(port);
  const char* configured = std::getenv(variable.c_str());
  const std::filesystem::path device =
      configured != nullptr ? configured : "/dev/ttyS" + std::to_string(port - 1);
  std::error_code error;
  // The lock files name the real device, not a link to it.
  const std::filesystem::path real = std::filesystem::canonical(device, error);
  if (error) return false;
  device_ = real;
  return true;
}

bool QtSerialControl::SetPortOpen(bool open) {
  if (!open) {
    if (port_.isOpen()) {
      // Bytes still queued (a DLE ETX, a hang-up) must reach the modem before the port goes.
      while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) {
      }
      port_.close();
    }
    lock_.Release();
    return true;
  }
  if (port_.isOpen()) return true;
  if (device_.empty() || !lock_.Acquire(device_)) return false;
  port_.setPortName(QString::fromStdString(device_.string()));
  if (!port_.open(QIODevice::ReadWrite)) {
    lock_.Release();
    return false;
  }
  Apply(settings_);
  port_.setFlowControl(QSerialPort::HardwareControl);
  port_.setDataTerminalReady(true);
  port_.clearError();  // a pseudo-terminal has no modem lines
  return true;
}

bool QtSerialControl::Apply(std::string_view settings) {
  const std::optional<LineSettings> s = ParseSettings(settings);
  if (!s) return false;
  if (port_.isOpen()) {
    const bool applied = port_.setBaudRate(s->speed) && port_.setParity(s->parity) &&
                         port_.setDataBits(s->data_bits) && port_.setStopBits(s->stop_bits);
    port_.clearError();
    if (!applied) return false;
  }
  return true;
}

bool QtSerialControl::SetSettings(std::string_view settings) {
  if (!Apply(settings)) return false;
  settings_ = std::string(settings);
  return true;
}

int QtSerialControl::InBufferCount() {
  return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

std::string QtSerialControl::Input() {
  if (!port_.isOpen()) return {};
  qint64 want = port_.bytesAvailable();
  if (input_len_ > 0 && want > input_len_) want = input_len_;
  const QByteArray bytes = port_.read(want);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtSerialControl::Output(std::string_view bytes) {
  if (!port_.isOpen()) return;
  port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  port_.flush();  // hand the bytes to the kernel now, not at the next event
}

int QtSerialControl::OutBufferCount() {
  return port_.isOpen() ? static_cast<int>(port_.bytesToWrite()) : 0;
}

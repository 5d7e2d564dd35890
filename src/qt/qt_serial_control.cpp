#include "qt/qt_serial_control.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "modem/line_settings.h"

namespace {
QSerialPort::Parity ToQt(LineSettings::Parity parity) {
  switch (parity) {
    case LineSettings::Parity::kNone:
      return QSerialPort::NoParity;
    case LineSettings::Parity::kEven:
      return QSerialPort::EvenParity;
    case LineSettings::Parity::kOdd:
      return QSerialPort::OddParity;
    case LineSettings::Parity::kMark:
      return QSerialPort::MarkParity;
    case LineSettings::Parity::kSpace:
      return QSerialPort::SpaceParity;
  }
  return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(LineSettings::StopBits stop_bits) {
  switch (stop_bits) {
    case LineSettings::StopBits::kOne:
      return QSerialPort::OneStop;
    case LineSettings::StopBits::kOneAndHalf:
      return QSerialPort::OneAndHalfStop;
    case LineSettings::StopBits::kTwo:
      return QSerialPort::TwoStop;
  }
  return QSerialPort::OneStop;
}
}  // namespace

QtSerialControl::QtSerialControl() {
  port_.setReadBufferSize(kBufferSize);
  // A read that fails or finds the end of the line, a write that fails, a device that went
  // away: the modem is gone for good. Its descriptor would stay readable for ever.
  QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
    if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
        e == QSerialPort::WriteError) {
      lost_ = true;
    }
  });
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
  // Qt's lock file names the real device, not a link to it.
  const std::filesystem::path real = std::filesystem::canonical(device, error);
  name_ = "COM" + std::to_string(port) + " (" + device.string() + ")";
  if (error) {
    Complain(error == std::errc::no_such_file_or_directory ? "no such device" : error.message());
    return false;
  }
  device_ = real;
  alias_ = device;
  return true;
}

bool QtSerialControl::SetPortOpen(bool open) {
  if (!open) {
    if (port_.isOpen()) {
      // Bytes still queued (a DLE ETX, a hang-up) must reach the modem before the port goes.
      while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) {
      }
      // A modem that stopped reading would keep the rest for ever: it is dropped, so that the
      // close does not wait on it.
      if (port_.bytesToWrite() > 0) port_.clear(QSerialPort::Output);
      port_.close();
    }
    lock_.Release();
    return true;
  }
  if (port_.isOpen()) return true;
  if (device_.empty() || lost_) return false;
  if (const std::optional<PortRefusal> refusal = lock_.Acquire(device_, alias_)) {
    return Refuse(Describe(*refusal));
  }
  port_.setPortName(QString::fromStdString(device_.string()));
  if (!port_.open(QIODevice::ReadWrite)) {
    lock_.Release();
    return Refuse(port_.errorString().toStdString());
  }
  const bool applied = Apply(settings_);
  port_.setFlowControl(QSerialPort::HardwareControl);
  port_.setDataTerminalReady(true);
  if (!applied || !Healthy()) {
    const std::string why = port_.errorString().toStdString();
    port_.close();
    lock_.Release();
    return Refuse(why);
  }
  opened_ = true;
  return true;
}

bool QtSerialControl::Apply(std::string_view settings) {
  const std::optional<LineSettings> s = ParseLineSettings(settings);
  if (!s) return false;
  if (!port_.isOpen()) return true;
  port_.setBaudRate(s->speed);
  port_.setParity(ToQt(s->parity));
  port_.setDataBits(static_cast<QSerialPort::DataBits>(s->data_bits));
  port_.setStopBits(ToQt(s->stop_bits));
  return Healthy();
}

bool QtSerialControl::Healthy() {
  // A pseudo-terminal has no modem lines: Qt reports the refused line calls, which is harmless.
  if (port_.error() == QSerialPort::UnsupportedOperationError) port_.clearError();
  return port_.error() == QSerialPort::NoError;
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

bool QtSerialControl::Refuse(const std::string& why) {
  // A port that was ours once and cannot be had again has gone away.
  if (opened_) lost_ = true;
  Complain(why);
  return false;
}

void QtSerialControl::Complain(const std::string& why) const {
  std::fprintf(stderr, "talvo: %s: %s\n", name_.c_str(), why.c_str());
}

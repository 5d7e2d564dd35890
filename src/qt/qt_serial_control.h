#pragma once
// The serial control over Qt Serial Port. COMn is the device in TALVO_COM<n>, else
// /dev/ttyS<n-1>. Opening honours other programs' locks (PortLock) before Qt takes its own
// lock file; DTR is raised and RTS/CTS flow control set, and a pseudo-terminal's refusal of
// modem-line calls is harmless. Every other error is reported: a port that cannot be had says
// why on stderr, and a device that fails a read or a write, hangs up or goes away is lost.
#include <QSerialPort>
#include <filesystem>
#include <string>

#include "modem/serial_control.h"
#include "posix/port_lock.h"

class QtSerialControl final : public SerialControl {
 public:
  QtSerialControl();
  ~QtSerialControl() override;

  bool SetCommPort(int port) override;
  bool SetPortOpen(bool open) override;
  bool PortOpen() const override { return port_.isOpen(); }
  bool SetSettings(std::string_view settings) override;
  std::string Settings() const override { return settings_; }
  int InBufferSize() const override { return kBufferSize; }
  int OutBufferSize() const override { return kBufferSize; }
  int InBufferCount() override;
  void SetInputLen(int len) override { input_len_ = len; }
  std::string Input() override;
  void Output(std::string_view bytes) override;
  int OutBufferCount() override;
  bool Lost() override { return lost_; }

 private:
  static constexpr int kBufferSize = 32000;
  // Puts `settings` in force while the port is open; false for a malformed text or a line
  // that refused them.
  bool Apply(std::string_view settings);
  // Whether the port is free of errors, once the harmless ones are cleared.
  bool Healthy();
  // Says on stderr why the port cannot be had, and returns false.
  bool Refuse(const std::string& why);
  void Complain(const std::string& why) const;

  QSerialPort port_;
  PortLock lock_;
  std::filesystem::path device_;
  std::filesystem::path alias_;  // the device as the environment named it
  std::string name_;             // "COM3 (/dev/modem)", for messages
  bool opened_ = false;          // the port was ours at least once
  bool lost_ = false;
  std::string settings_ = "9600,n,8,1";
  int input_len_ = 0;
};

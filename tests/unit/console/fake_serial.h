#pragma once
#include <string>
#include <string_view>

#include "modem/serial_control.h"

// Just enough of a serial control for the key pass-through: open or closed, and what was sent.
class FakeSerial : public SerialControl {
 public:
  bool SetCommPort(int) override { return true; }
  bool SetPortOpen(bool open) override {
    open_ = open;
    return true;
  }
  bool PortOpen() const override { return open_; }
  bool SetSettings(std::string_view) override { return true; }
  std::string Settings() const override { return "9600,n,8,1"; }
  int InBufferSize() const override { return 32000; }
  int OutBufferSize() const override { return 32000; }
  int InBufferCount() override { return 0; }
  void SetInputLen(int) override {}
  std::string Input() override { return {}; }
  void Output(std::string_view bytes) override { sent.append(bytes); }
  int OutBufferCount() override { return 0; }

  std::string sent;

 private:
  bool open_ = false;
};

#pragma once
// The serial control of unit tests: the simulated modem behind it, on the test's virtual
// clock. Bytes written leave at the scenario's line speed (at once without one) and reach the
// modem at the moment they leave; the modem's replies wait in the receive buffer once they are
// due. A closed port carries nothing either way: what the modem sends meanwhile is lost. Once
// the modem has locked up, written bytes no longer leave: they stay queued while the port is
// open.
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "modem/serial_control.h"
#include "vmodem/engine.h"

namespace vmodem {

class FakeSerialControl : public SerialControl {
 public:
  struct PortEvent {
    SimTime at;
    bool open;
    bool operator==(const PortEvent&) const = default;
  };

  // `scenario` is scenario text (voice files relative to `base_dir`); `now` gives the virtual
  // time. Throws std::runtime_error when the scenario does not parse.
  FakeSerialControl(std::string_view scenario, std::function<SimTime()> now,
                    const std::filesystem::path& base_dir = {});

  bool SetCommPort(int port) override;
  bool SetPortOpen(bool open) override;
  bool PortOpen() const override { return open_; }
  bool SetSettings(std::string_view settings) override;
  std::string Settings() const override { return settings_; }
  int InBufferSize() const override { return kBufferSize; }
  int OutBufferSize() const override { return kBufferSize; }
  int InBufferCount() override;
  void SetInputLen(int len) override { input_len_ = len < 0 ? 0 : len; }
  std::string Input() override;
  void Output(std::string_view bytes) override;
  int OutBufferCount() override;
  // Once the modem has vanished or hung up (scenario actions `vanish`, `hangup`), not when it
  // locked up (`lock-up`).
  bool Lost() override;

  // COM ports 1 to 9 exist and are free unless a test says otherwise: a missing port cannot
  // be selected or opened, a busy one (held by another program) cannot be opened.
  void MarkMissing(int port) { missing_.insert(port); }
  void MarkBusy(int port) { busy_.insert(port); }

  // Every Output call in order, also those made while the port was closed (they went nowhere).
  const std::vector<std::string>& Writes() const { return writes_; }
  // Each successful open and close, with its time.
  const std::vector<PortEvent>& History() const { return history_; }
  Engine& Modem() { return engine_; }

  // When something next changes on the line: the modem's next output or the next written byte
  // leaving. nullopt when nothing will change without the job acting.
  std::optional<SimTime> NextEvent();

 private:
  static constexpr int kBufferSize = 32000;

  void Sync();
  bool LineMoves() const { return engine_.Gone() != Engine::Departure::kLockedUp; }
  void Deliver(std::size_t count, SimTime at);
  SimTime Leaves(std::size_t nth) const;

  Engine engine_;
  std::function<SimTime()> now_;
  std::set<int> missing_;
  std::set<int> busy_;
  int port_ = 0;
  bool open_ = false;
  std::string settings_ = "9600,n,8,1";
  int input_len_ = 0;
  std::string in_;
  std::string out_;  // written, not yet left
  // The current burst of output: when the line started on it, and how many of its bytes left.
  SimTime burst_start_{0};
  std::size_t burst_sent_ = 0;
  std::vector<std::string> writes_;
  std::vector<PortEvent> history_;
};

}  // namespace vmodem

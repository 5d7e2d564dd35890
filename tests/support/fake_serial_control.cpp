#include "fake_serial_control.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "modem/line_settings.h"

namespace vmodem {
namespace {

constexpr int kLastPort = 9;

}  // namespace

FakeSerialControl::FakeSerialControl(std::string_view scenario, std::function<SimTime()> now,
                                     const std::filesystem::path& base_dir)
    : engine_(ParseScenario(scenario, base_dir)), now_(std::move(now)) {}

bool FakeSerialControl::SetCommPort(int port) {
  if (open_ || port < 1 || port > kLastPort || missing_.contains(port)) return false;
  port_ = port;
  return true;
}

bool FakeSerialControl::SetPortOpen(bool open) {
  Sync();
  if (open == open_) return !open;  // closing a closed port is harmless; opening twice is not
  if (open) {
    if (port_ == 0 || missing_.contains(port_) || busy_.contains(port_) || Lost()) return false;
  } else {
    // The port drains what was written before it lets go of the line; what a modem that locked
    // up does not take is thrown away.
    Deliver(out_.size(), now_());
    out_.clear();
    in_.clear();
  }
  open_ = open;
  history_.push_back({now_(), open});
  return true;
}

bool FakeSerialControl::SetSettings(std::string_view settings) {
  if (!ParseLineSettings(settings)) return false;
  settings_ = settings;
  return true;
}

int FakeSerialControl::InBufferCount() {
  Sync();
  return static_cast<int>(std::min<std::size_t>(in_.size(), kBufferSize));
}

std::string FakeSerialControl::Input() {
  Sync();
  const std::size_t take =
      input_len_ == 0 ? in_.size() : std::min<std::size_t>(in_.size(), input_len_);
  std::string got = in_.substr(0, take);
  in_.erase(0, take);
  return got;
}

void FakeSerialControl::Output(std::string_view bytes) {
  Sync();
  writes_.emplace_back(bytes);
  if (!open_) return;
  if (out_.empty()) {
    burst_start_ = now_();
    burst_sent_ = 0;
  }
  out_ += bytes;
  if (engine_.BaudRate() == 0 && LineMoves()) Deliver(out_.size(), now_());
}

bool FakeSerialControl::Lost() {
  Sync();
  return engine_.Gone() == Engine::Departure::kVanished ||
         engine_.Gone() == Engine::Departure::kHungUp;
}

int FakeSerialControl::OutBufferCount() {
  Sync();
  return static_cast<int>(out_.size());
}

std::optional<SimTime> FakeSerialControl::NextEvent() {
  Sync();
  std::optional<SimTime> next = engine_.NextEvent();
  if (!out_.empty() && LineMoves()) {
    const SimTime leave = Leaves(burst_sent_ + 1);
    if (!next || leave < *next) next = leave;
  }
  return next;
}

// Brings the line up to now: written bytes that have left reach the modem, each group at the
// millisecond it left, and the modem's due output lands in the receive buffer.
void FakeSerialControl::Sync() {
  const SimTime now = now_();
  while (!out_.empty() && LineMoves()) {
    const SimTime at = Leaves(burst_sent_ + 1);
    if (at > now) break;
    std::size_t count = 1;
    while (count < out_.size() && Leaves(burst_sent_ + count + 1) == at) ++count;
    Deliver(count, at);
  }
  std::string due = engine_.TakeOutput(now);
  if (open_) in_ += due;
}

void FakeSerialControl::Deliver(std::size_t count, SimTime at) {
  if (count == 0) return;
  const std::size_t taken = engine_.Receive(std::string_view(out_).substr(0, count), at);
  // What a modem that locked up on the way did not take stays queued; a modem that left the
  // line loses it.
  if (!LineMoves()) count = taken;
  out_.erase(0, count);
  burst_sent_ += count;
}

// Ten bits a byte: the nth byte of a burst has left once n * 10 bits have gone down the line.
SimTime FakeSerialControl::Leaves(std::size_t nth) const {
  const std::int64_t baud = engine_.BaudRate();
  return burst_start_ +
         std::chrono::milliseconds((static_cast<std::int64_t>(nth) * 10'000 + baud - 1) / baud);
}

}  // namespace vmodem

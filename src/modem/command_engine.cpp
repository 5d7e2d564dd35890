#include "modem/command_engine.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "console/term_write.h"
#include "core/dle.h"
#include "modem/line_settings.h"

namespace {
constexpr char kNul = 0;
constexpr char kLf = 10;
constexpr char kCr = 13;
// The most bytes of a reply line that are kept: a modem that floods the line with noise must
// not make the reader grow without end.
constexpr std::size_t kLongestReply = 4096;
// A wait's ceiling, in multiples of its time-out.
constexpr int kCeilingFactor = 10;
// The least reply time-out a drain allows for: a modem may hold the line while its own buffer
// plays, and call progress may have set a time-out of a second or none.
constexpr std::chrono::seconds kLeastDrainSlack{3};
// Start, data and stop bits: a byte's length on the line is at least this many bit times.
constexpr long long kBitsPerByte = 10;

// How long `bytes` take on a line of `settings`, in whole seconds rounded up.
std::chrono::seconds LineTime(int bytes, std::string_view settings) {
  const std::optional<LineSettings> line = ParseLineSettings(settings);
  const long long speed = line ? line->speed : 1;
  return std::chrono::seconds((bytes * kBitsPerByte + speed - 1) / speed);
}
}  // namespace

bool CommandEngine::SelectPort(int comm_port) {
  return serial_.SetCommPort(comm_port);
}

bool CommandEngine::Open() {
  return serial_.SetPortOpen(true);
}

void CommandEngine::Close() {
  serial_.SetPortOpen(false);
  received_.clear();
  served_ = 0;
}

bool CommandEngine::SetSettings(std::string_view settings) {
  return serial_.SetSettings(settings);
}

std::string CommandEngine::Settings() const {
  return serial_.Settings();
}

int CommandEngine::InBufferSize() const {
  return serial_.InBufferSize();
}

int CommandEngine::OutBufferSize() const {
  return serial_.OutBufferSize();
}

void CommandEngine::Send(std::string_view command) {
  std::string line(command);
  line += kCr;
  serial_.Output(line);
}

void CommandEngine::SendRaw(std::string_view bytes) {
  serial_.Output(bytes);
}

bool CommandEngine::Fill() {
  if (served_ < received_.size()) return true;
  received_.clear();
  served_ = 0;
  const int waiting = serial_.InBufferCount();
  if (waiting <= 0) return false;
  serial_.SetInputLen(waiting);
  received_ = serial_.Input();
  return !received_.empty();
}

std::optional<char> CommandEngine::ReadByte() {
  if (!Fill()) return std::nullopt;
  const char c = received_[served_++];
  if (v_.EchoFlag == 1) TermWrite(term_, std::string_view(&c, 1));
  return c;
}

std::string CommandEngine::ReadWaiting() {
  std::string got = received_.substr(served_);
  served_ = received_.size();
  if (Fill()) {
    got += received_;
    served_ = received_.size();
  }
  return got;
}

bool CommandEngine::ReadReply() {
  return ReadLine(Ceiling());
}

Deadline CommandEngine::Ceiling() {
  return DeadlineIn(std::chrono::seconds(v_.ReplyTimeout * kCeilingFactor));
}

bool CommandEngine::ReadLine(Deadline ceiling) {
  JobValues& v = v_;
  DleDecoder dle;
  event_.reset();
  for (;;) {
    v.TimedOut = 0;
    v.ReplyLine.clear();
    for (;;) {
      // Every byte received, even a dropped one, restarts the silence deadline.
      const Deadline silence = DeadlineIn(std::chrono::seconds(v.ReplyTimeout));
      if (!WaitForInput(std::min(silence, ceiling))) {
        v.TimedOut = 1;
        return false;
      }
      const std::optional<char> got = ReadByte();
      if (!got) continue;
      const char c = *got;
      if (events_among_replies_) {
        const auto item = dle.Feed(c);
        if (!item) continue;
        if (item->kind != DleItem::Kind::kData) {
          v.ReplyLine.clear();
          event_ = DleEvent{item->byte};
          return true;
        }
      }
      if (c == kNul || c == kCr) continue;
      if (c != kLf) {
        if (v.ReplyLine.size() < kLongestReply) v.ReplyLine += c;
        continue;
      }
      if (!v.ReplyLine.empty()) return true;
      break;  // an empty line is skipped: start over
    }
  }
}

bool CommandEngine::WaitForLine(std::string_view word) {
  const Deadline ceiling = Ceiling();
  while (ReadLine(ceiling)) {
    if (v_.ReplyLine == word) return true;
  }
  return false;
}

bool CommandEngine::WaitOk() {
  return WaitForLine("OK");
}

bool CommandEngine::WaitConnect() {
  return WaitForLine("CONNECT");
}

void CommandEngine::ReadReplyOrEnd() {
  if (!ReadReply()) endings_.NoResponseEnding();
}

void CommandEngine::WaitOkOrEnd() {
  if (!WaitOk()) endings_.NoResponseEnding();
}

void CommandEngine::WaitConnectOrEnd() {
  if (!WaitConnect()) endings_.NoResponseEnding();
}

Deadline CommandEngine::DeadlineIn(std::chrono::seconds wait) {
  return Deadline::After(clock_.Now(), wait);
}

bool CommandEngine::WaitForInput(std::optional<Deadline> deadline) {
  for (;;) {
    if (deadline && deadline->Passed(clock_.Now())) return false;
    // Bytes in memory are served without a turn of the event loop, so a flood costs one turn
    // per read of the serial control, not one per byte.
    if (served_ < received_.size()) {
      EndIfLost();
      return true;
    }
    events_.PumpEvents();
    EndIfLost();
    if (Fill()) return true;
    events_.WaitForActivity(deadline ? std::optional<JobTime>(deadline->PassesAt()) : std::nullopt);
  }
}

void CommandEngine::WaitForOutputDrained() {
  const int queued = serial_.OutBufferCount();
  const auto reply_timeout = std::max(std::chrono::seconds(v_.ReplyTimeout), kLeastDrainSlack);
  const Deadline ceiling = DeadlineIn(reply_timeout + LineTime(queued, serial_.Settings()));
  for (;;) {
    events_.PumpEvents();
    EndIfLost();
    if (serial_.OutBufferCount() == 0) return;
    if (ceiling.Passed(clock_.Now())) endings_.LostEnding();
    events_.WaitForActivity(ceiling.PassesAt());
  }
}

void CommandEngine::EndIfLost() {
  if (serial_.Lost()) endings_.LostEnding();
}

#include "modem/command_engine.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "console/term_write.h"
#include "core/dle.h"
#include "modem/command_set.h"
#include "modem/serial_control.h"
#include "platform/event_pump.h"
#include "platform/job_clock.h"

namespace {
constexpr char kNul = 0;
constexpr char kLf = 10;
constexpr char kCr = 13;
// The most bytes of a reply line that are kept: a modem that floods the line with noise must
// not make the reader grow without end.
constexpr std::size_t kLongestReply = 4096;
// A wait's ceiling, in multiples of its time-out.
constexpr int kCeilingFactor = 10;
}  // namespace

void CommandEngine::Send(std::string_view command) {
  std::string line(command);
  line += kCr;
  ctx_.serial.Output(line);
}

void CommandEngine::SendRaw(std::string_view bytes) {
  ctx_.serial.Output(bytes);
}

bool CommandEngine::ReadReply() {
  return ReadLine(Ceiling());
}

Deadline CommandEngine::Ceiling() {
  return Deadline::After(ctx_.clock.Now(),
                         std::chrono::seconds(ctx_.v.ReplyTimeout * kCeilingFactor));
}

bool CommandEngine::ReadLine(Deadline ceiling) {
  JobValues& v = ctx_.v;
  const bool events = ctx_.commands.EventsAmongReplies();
  DleDecoder dle;
  for (;;) {
    ctx_.serial.SetInputLen(1);
    v.TimedOut = 0;
    v.ReplyLine.clear();
    for (;;) {
      // Every byte received, even a dropped one, restarts the silence deadline.
      const Deadline silence =
          Deadline::After(ctx_.clock.Now(), std::chrono::seconds(v.ReplyTimeout));
      if (!WaitForInput(std::min(silence, ceiling))) {
        v.TimedOut = 1;
        return false;
      }
      const std::string got = ctx_.serial.Input();
      if (got.empty()) continue;
      Echo(got);
      const char c = got[0];
      if (events) {
        const auto item = dle.Feed(c);
        if (!item) continue;
        if (item->kind != DleItem::Kind::kData) {
          v.ReplyLine = {kDle, item->byte};
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
    if (ctx_.v.ReplyLine == word) return true;
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

void CommandEngine::WaitRing() {
  do {
    ReadReply();
  } while (ctx_.v.ReplyLine != "RING");
}

bool CommandEngine::WaitForInput(std::optional<Deadline> deadline) {
  for (;;) {
    if (deadline && deadline->Passed(ctx_.clock.Now())) return false;
    ctx_.events.PumpEvents();
    EndIfLost();
    if (ctx_.serial.InBufferCount() > 0) return true;
    ctx_.events.WaitForActivity(deadline ? std::optional<JobTime>(deadline->PassesAt())
                                         : std::nullopt);
  }
}

void CommandEngine::WaitForOutputDrained() {
  for (;;) {
    ctx_.events.PumpEvents();
    EndIfLost();
    if (ctx_.serial.OutBufferCount() == 0) return;
    ctx_.events.WaitForActivity(std::nullopt);
  }
}

void CommandEngine::EndIfLost() {
  if (ctx_.serial.Lost()) endings_.LostEnding();
}

void CommandEngine::Echo(std::string_view received) {
  if (ctx_.v.EchoFlag == 1) TermWrite(ctx_.term, received);
}

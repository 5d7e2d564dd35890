#include "modem/command_engine.h"

#include "console/term_write.h"

namespace {
constexpr char kNul = 0;
constexpr char kLf = 10;
constexpr char kCr = 13;
}  // namespace

void CommandEngine::Send(std::string_view command) {
  std::string line(command);
  line += kCr;
  ctx_.serial.Output(line);
}

void CommandEngine::SendRaw(std::string_view bytes) {
  ctx_.serial.Output(bytes);
}

void CommandEngine::ReadReply() {
  JobValues& v = ctx_.v;
  for (;;) {
    ctx_.serial.SetInputLen(1);
    v.TimedOut = 0;
    v.ReplyLine.clear();
    for (;;) {
      // Every byte received, even a dropped one, restarts the silence deadline.
      if (!WaitForInput(ctx_.clock.Seconds() + v.ReplyTimeout)) {
        v.TimedOut = 1;
        return;
      }
      const std::string got = ctx_.serial.Input();
      if (got.empty()) continue;
      Echo(got);
      const char c = got[0];
      if (c == kNul || c == kCr) continue;
      if (c != kLf) {
        v.ReplyLine += c;
        continue;
      }
      if (!v.ReplyLine.empty()) return;
      break;  // an empty line is skipped: start over
    }
  }
}

void CommandEngine::WaitForLine(std::string_view word) {
  do {
    ReadReply();
  } while (ctx_.v.TimedOut != 1 && ctx_.v.ReplyLine != word);
}

void CommandEngine::WaitOk() {
  WaitForLine("OK");
}

void CommandEngine::WaitConnect() {
  WaitForLine("CONNECT");
}

void CommandEngine::WaitRing() {
  do {
    ReadReply();
  } while (ctx_.v.ReplyLine != "RING");
}

void CommandEngine::PumpEvents() {
  ctx_.events.PumpEvents();
}

bool CommandEngine::WaitForInput(std::optional<std::int64_t> deadline_seconds) {
  for (;;) {
    if (deadline_seconds && ctx_.clock.Seconds() > *deadline_seconds) return false;
    ctx_.events.PumpEvents();
    if (ctx_.serial.InBufferCount() > 0) return true;
    ctx_.events.WaitForActivity(deadline_seconds
                                    ? std::optional<std::int64_t>(PassedAtMs(*deadline_seconds))
                                    : std::nullopt);
  }
}

void CommandEngine::WaitForOutputDrained() {
  for (;;) {
    ctx_.events.PumpEvents();
    if (ctx_.serial.OutBufferCount() == 0) return;
    ctx_.events.WaitForActivity(std::nullopt);
  }
}

void CommandEngine::Echo(std::string_view received) {
  if (ctx_.v.EchoFlag == 1) TermWrite(ctx_.term, received);
}

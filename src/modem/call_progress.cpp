#include "modem/call_progress.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "console/term_write.h"
#include "platform/sleeper.h"

namespace {

struct Verdict {
  std::string_view reply;
  std::int16_t progress_code;
};

// The replies that decide a call, besides the ringback count.
constexpr std::array<Verdict, 7> kVerdicts{{
    {"BUSY", kBusy},
    {"NO ANSWER", JobValues::RingLimit},
    {"NO DIALTONE", kNoDialTone},
    {"NO DIAL TONE", kNoDialTone},
    {"NUMBER BLACKLISTED", kBlacklisted},
    {"BLACKLISTED", kBlacklisted},
    {"VCON", kVoiceConnection},
}};

constexpr std::chrono::milliseconds kDialPause(6000);

struct Failure {
  std::int16_t progress_code;
  std::string_view marker;
  std::string_view reason;
};

// Any other code is no answer.
constexpr std::array<Failure, 3> kFailures{{
    {kBusy, "B", " is busy"},
    {kNoDialTone, "C", " no dialtone"},
    {kBlacklisted, "E", " is BLACKLISTED"},
}};
constexpr Failure kNoAnswer{JobValues::RingLimit, "A", " has not picked up the line"};

void PrintLine(JobContext& ctx, std::string_view text) {
  TermWrite(ctx.term, "****  " + std::string(text) + "  ****\r");
}

}  // namespace

std::int16_t WaitCallProgress(JobContext& ctx, CommandEngine& engine) {
  const JobValues& v = ctx.v;
  std::int16_t ringbacks = 0;
  for (;;) {
    if (!engine.ReadReply()) return JobValues::RingLimit;
    if (v.ReplyLine == "RINGING") {
      if (++ringbacks >= JobValues::RingLimit) return JobValues::RingLimit;
      continue;
    }
    for (const Verdict& verdict : kVerdicts) {
      if (v.ReplyLine == verdict.reply) return verdict.progress_code;
    }
    // Echoes, "OK", "CONNECT", "RING" and anything else say nothing about the call.
  }
}

void PlaceCall(JobContext& ctx, CommandEngine& engine, Endings& endings) {
  JobValues& v = ctx.v;
  PrintLine(ctx, "Playing mode");
  if (v.PlayTarget == "SPEAKER") {
    PrintLine(ctx, "Playing on the modem SPEAKER  ");
    engine.Send("AT L3 M2");
    engine.WaitOk();
    // No wait here: the modem's "VCON" for the speaker line is the call's progress report.
    engine.Send("AT #VLS=2");
  } else {
    PrintLine(ctx, "Calling phone number  " + v.PlayTarget);
    engine.Send("ATD" + v.DialModifier + v.PlayTarget);
    engine.ReadReply();  // the echo of the dial command
    // Blocks the window on purpose; progress replies wait in the receive buffer meanwhile.
    ctx.sleeper.Sleep(kDialPause);
  }
  v.ReplyTimeout = v.ProgressTimeout;
  const std::int16_t progress_code = WaitCallProgress(ctx, engine);
  if (progress_code == kVoiceConnection) return;

  Failure failure = kNoAnswer;
  for (const Failure& known : kFailures) {
    if (progress_code == known.progress_code) failure = known;
  }
  endings.WriteOutcomeMarker(failure.marker, "****  Error phone number  " + v.PlayTarget +
                                                 std::string(failure.reason) + "  ****");
  endings.EndSequence();
}

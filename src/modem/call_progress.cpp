#include "modem/call_progress.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "console/term_write.h"
#include "modem/command_set.h"

namespace {

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

void PrintLine(TextBox& term, std::string_view text) {
  TermWrite(term, "****  " + std::string(text) + "  ****\r");
}

}  // namespace

std::int16_t WaitCallProgress(Modem& modem, CallReport first) {
  std::int16_t ringbacks = 0;
  for (CallReport report = first;; report = modem.LastReport()) {
    switch (report) {
      case CallReport::kNone:
      case CallReport::kRing:
        break;  // echoes, other replies, events and incoming rings say nothing about the call
      case CallReport::kRingback:
        if (++ringbacks >= JobValues::RingLimit) return JobValues::RingLimit;
        break;
      case CallReport::kConnected:
        return kVoiceConnection;
      case CallReport::kBusy:
        return kBusy;
      case CallReport::kNoDialTone:
        return kNoDialTone;
      case CallReport::kBlacklisted:
        return kBlacklisted;
      case CallReport::kNoAnswer:
        return JobValues::RingLimit;
    }
    if (!modem.engine.ReadReply()) return JobValues::RingLimit;
  }
}

void PlaceCall(Modem& modem, TextBox& term, Sleeper& sleeper, Endings& endings) {
  JobValues& v = modem.v;
  CommandEngine& engine = modem.engine;
  PrintLine(term, "Playing mode");
  bool placed = true;
  CallReport early = CallReport::kNone;
  if (v.PlayTarget == "SPEAKER") {
    PrintLine(term, "Playing on the modem SPEAKER  ");
    engine.Send("AT L3 M2");
    engine.WaitOk();
    // No wait here: the modem's confirmation of the speaker line is the call's progress report.
    const auto speaker = modem.commands.SelectDevice(VoiceDevice::kSpeaker);
    if (speaker) engine.Send(*speaker);
    placed = speaker.has_value();
  } else {
    PrintLine(term, "Calling phone number  " + v.PlayTarget);
    engine.Send("ATD" + v.DialModifier + v.PlayTarget);
    // The echo of the dial command, or an event the modem sent before the echo's line end,
    // which the call's progress must not lose.
    if (engine.ReadReply()) early = modem.LastReport();
    // Blocks the window on purpose; progress replies wait in the receive buffer meanwhile.
    sleeper.Sleep(kDialPause);
  }
  v.ReplyTimeout = v.ProgressTimeout;
  // A modem without a speaker leaves the call unanswered.
  const std::int16_t progress_code = placed ? WaitCallProgress(modem, early) : JobValues::RingLimit;
  if (progress_code == kVoiceConnection) return;

  Failure failure = kNoAnswer;
  for (const Failure& known : kFailures) {
    if (progress_code == known.progress_code) failure = known;
  }
  endings.WriteOutcomeMarker(failure.marker, "****  Error phone number  " + v.PlayTarget +
                                                 std::string(failure.reason) + "  ****");
  endings.EndSequence();
}

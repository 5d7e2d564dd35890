#include "voice/playback.h"

#include "core/dle.h"
#include "voice/collect_digits.h"
#include "voice/play_message.h"
#include "voice/read_back.h"
#include "voice/voice_transmit.h"

namespace {

enum class PlayResult {
  kEntry,     // Digits holds a key result, or "b" when the plays or retries ran out
  kListened,  // the message was heard on the speaker: Digits is "*"
};

// Plays the message until the listener keys something usable or the plays or retries run out.
PlayResult PlayUntilKeyed(Modem& modem, TextBox& term, DleDecoder& dle) {
  JobValues& v = modem.v;
  for (;;) {
    --v.PlayCount;
    if (v.PlayCount < 0) break;
    v.ReplyTimeout = 15;
    PlayMessage(modem, term, dle);
    if (!v.Digits.empty()) return PlayResult::kEntry;
    if (v.DigitTimeout != 0) {
      // An empty voice transmission, whose closing report is consumed, comes before the entry.
      StartVoiceTransmit(modem);
      EndVoiceTransmit(modem);
      v.Digits = "*";
      if (v.PlayTarget == "SPEAKER") return PlayResult::kListened;
      v.Digits.clear();
      if (CollectDigits(modem.engine, v, dle)) return PlayResult::kEntry;
    }
    // A retry count that starts at 0 or below never reaches 0: only the plays limit it then.
    --v.RetryCount;
    if (v.RetryCount == 0) break;
  }
  v.Digits = "b";
  return PlayResult::kEntry;
}

}  // namespace

void RunPlayback(Modem& modem, TextBox& term, const std::filesystem::path& dir, Endings& endings) {
  JobValues& v = modem.v;
  DleDecoder dle;  // the modem's events for the rest of the job
  for (;;) {
    if (PlayUntilKeyed(modem, term, dle) == PlayResult::kListened) break;
    if (v.Digits == "#") continue;  // the listener asks to hear the message again
    if (v.ReadBack == 0 || v.StarEnded == 0 || ReadBackEntry(modem, dir, dle)) break;
  }
  endings.WriteOutcomeMarker(v.Digits, "");
  endings.EndSequence();
}

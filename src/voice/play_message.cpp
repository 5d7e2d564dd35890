#include "voice/play_message.h"

#include <string>
#include <string_view>

#include "console/term_write.h"
#include "core/dle.h"
#include "modem/call_progress.h"
#include "modem/command_set.h"
#include "voice/collect_digits.h"
#include "voice/key_reader.h"
#include "voice/voice_length_line.h"
#include "voice/voice_transmit.h"

namespace {

// Whether `data` ends on a DLE whose partner has not been sent: the modem would take a DLE ETX
// sent now as shielded data instead of the end of the transmission.
bool EndsInOpenDle(std::string_view data) {
  DleDecoder sent;
  for (const char c : data) sent.Feed(c);
  return sent.Open();
}

// A listener who has started keying gets the full digit wait and fresh retries afterwards.
void GrantKeyEntry(JobValues& v) {
  v.DigitTimeout = 20;
  v.RetryCount = 3;
}

// Looks at the keys reported while the message plays; true when one ends the message.
bool KeyEndsMessage(CommandEngine& engine, JobValues& v, DleDecoder& dle) {
  const std::optional<KeyReport> report = ReadKeyReport(engine, dle);
  if (!report) return false;
  if (report->kind == KeyReport::Kind::kStar) {
    v.Digits = report->Text();
    v.StarEnded = 1;
    return true;
  }
  if (report->Text() == v.StopCode || report->kind == KeyReport::Kind::kHash) {
    v.Digits = report->Text();
    return true;
  }
  if (report->kind != KeyReport::Kind::kDigit) return false;  // another modem event
  v.Digits = report->Text();
  GrantKeyEntry(v);
  CollectDigits(engine, v, dle);
  return true;
}

}  // namespace

void PlayMessage(Modem& modem, TextBox& term, DleDecoder& dle) {
  JobValues& v = modem.v;
  CommandEngine& engine = modem.engine;
  v.StarEnded = 0;
  TermWrite(term, VoiceLengthLine(v.VoiceLen));
  StartVoiceTransmit(modem);
  const std::string_view message = std::string_view(v.VoiceBuffer).substr(0, v.VoiceLen);
  std::size_t SendPos = 0;
  for (;;) {
    // At most one piece waits in the serial control, so a key stops the message quickly.
    engine.WaitForOutputDrained();
    v.Digits.clear();
    if (SendPos + LGR_ECR_VOICE >= message.size()) {
      // The last piece carries the message's own DLE ETX.
      engine.SendRaw(message.substr(SendPos));
      break;
    }
    engine.SendRaw(message.substr(SendPos, LGR_ECR_VOICE));
    SendPos += LGR_ECR_VOICE;
    if (KeyEndsMessage(engine, v, dle)) {
      // A piece may end between the two DLEs of a shielded data byte; the second one goes
      // first then, so the DLE ETX is not swallowed as data.
      const bool open = EndsInOpenDle(message.substr(0, SendPos));
      engine.SendRaw(open ? std::string{kDle} + std::string(kDleEtx) : std::string(kDleEtx));
      GrantKeyEntry(v);
      break;
    }
  }
  TermWrite(term, "****  End of Voice Transmit  **** \r");
  WaitCallProgress(modem);
  engine.Send(modem.commands.AttentionTone());
  engine.WaitOk();
}

#include "voice/receive_voice.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "console/term_write.h"
#include "core/dle.h"
#include "modem/call_progress.h"
#include "modem/command_set.h"
#include "voice/recording_cut.h"
#include "voice/voice_length_line.h"

namespace {

// Reads everything waiting at each wake-up straight into the buffer, which never grows: a
// reception keeps up with the line at the cost of one copy per read.
void TakeVoiceData(CommandEngine& engine, JobValues& v, DleDecoder& dle) {
  for (;;) {
    engine.WaitForInput(std::nullopt);
    const std::string got = engine.ReadWaiting();
    if (got.empty()) continue;
    const std::size_t room = LGR_BUF_VOICE - v.VoiceLen;
    const std::size_t kept = std::min(got.size(), room);
    std::copy_n(got.begin(), kept, v.VoiceBuffer.begin() + v.VoiceLen);
    v.VoiceLen += kept;
    // A read that overflowed the buffer ends the reception, whatever its last bytes were.
    if (kept < got.size()) return;
    // The modem's end report is the last thing it sends.
    bool ended = false;
    for (const char c : got) {
      const auto item = dle.Feed(c);
      ended = item && item->kind == DleItem::Kind::kEndReport;
    }
    if (ended || v.VoiceLen == LGR_BUF_VOICE) return;
  }
}

}  // namespace

void ReceiveVoice(Modem& modem, TextBox& term, DleDecoder& dle) {
  JobValues& v = modem.v;
  CommandEngine& engine = modem.engine;
  v.VoiceBuffer.assign(LGR_BUF_VOICE, '\0');
  v.VoiceLen = 0;
  TakeVoiceData(engine, v, dle);

  engine.SendRaw(modem.commands.EndReception());
  WaitCallProgress(modem);
  engine.Send(modem.commands.AttentionTone());
  engine.WaitOk();

  v.VoiceLen = CutRecording(std::string_view(v.VoiceBuffer).substr(0, v.VoiceLen));
  TermWrite(term, VoiceLengthLine(v.VoiceLen));
}

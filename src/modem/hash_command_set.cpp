#include "modem/hash_command_set.h"

#include <array>

#include "console/term_write.h"
#include "core/dle.h"

namespace {

constexpr std::array<CallMeaning, 9> kMeanings{{
    {"RING", CallReport::kRing},
    {"RINGING", CallReport::kRingback},
    {"BUSY", CallReport::kBusy},
    {"NO ANSWER", CallReport::kNoAnswer},
    {"NO DIALTONE", CallReport::kNoDialTone},
    {"NO DIAL TONE", CallReport::kNoDialTone},
    {"NUMBER BLACKLISTED", CallReport::kBlacklisted},
    {"BLACKLISTED", CallReport::kBlacklisted},
    {"VCON", CallReport::kConnected},
}};

}  // namespace

std::optional<std::string> HashCommandSet::PortSettings(int modem_type) const {
  if (modem_type == 0) return "19200,n,8,1";
  if (modem_type == 1) return "38400,n,8,1";
  return std::nullopt;
}

void HashCommandSet::EnterVoiceMode(CommandEngine& engine, JobValues& v, TextBox& term,
                                    Endings& /*endings*/, RingbackTimers timers) {
  engine.Send("AT #CLS=8 #VLS=0 #VRA=" + std::to_string(timers.goes_away) +
              " #VRN=" + std::to_string(timers.never_came));
  // The command's echo marks where its answer begins.
  do {
    engine.ReadReplyOrEnd();
  } while (v.ReplyLine.compare(0, 9, "AT #CLS=8") != 0);
  engine.ReadReplyOrEnd();
  if (v.ReplyLine != "OK") TermWrite(term, kNotAVoiceModem);
}

std::optional<std::string> HashCommandSet::SelectDevice(VoiceDevice device) {
  switch (device) {
    case VoiceDevice::kHandset:
      return "AT #VLS=1";
    case VoiceDevice::kSpeaker:
      return "AT #VLS=2";
    case VoiceDevice::kMicrophone:
      return "AT #VLS=3";
  }
  return std::nullopt;
}

std::string_view HashCommandSet::EndReception() const {
  return kDleEtx;
}

std::span<const CallMeaning> HashCommandSet::Meanings() const {
  return kMeanings;
}

#include "modem/v253_command_set.h"

#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/dle.h"
#include "modem/v253_voice_mode.h"

namespace {

constexpr std::array<CallMeaning, 10> kMeanings{{
    {"RING", CallReport::kRing},
    {"RINGING", CallReport::kRingback},
    {"BUSY", CallReport::kBusy},
    {"NO ANSWER", CallReport::kNoAnswer},
    {"ERROR", CallReport::kNoAnswer},
    {"NO DIALTONE", CallReport::kNoDialTone},
    {"NO DIAL TONE", CallReport::kNoDialTone},
    {"NUMBER BLACKLISTED", CallReport::kBlacklisted},
    {"BLACKLISTED", CallReport::kBlacklisted},
    {"OK", CallReport::kConnected},
}};

// Modems of this set report a ring, busy and dial tone as events; in voice mode some report a
// ring only so.
constexpr std::array<EventMeaning, 3> kEventMeanings{{
    {{'R'}, CallReport::kRing},
    {{'b'}, CallReport::kBusy},
    {{'d'}, CallReport::kNoDialTone},
}};

// A device's name for stderr, and the primitives of the configurations that connect it, in
// order of preference.
struct DeviceChoice {
  const char* name;
  std::vector<std::string_view> primitives;
};

DeviceChoice ChoiceFor(VoiceDevice device) {
  switch (device) {
    case VoiceDevice::kHandset:
      return {"handset", {"H", "L"}};
    case VoiceDevice::kSpeaker:
      return {"speaker", {"S"}};
    case VoiceDevice::kMicrophone:
      return {"microphone", {"M"}};
  }
  return {"", {}};
}

}  // namespace

std::optional<std::string> V253CommandSet::PortSettings(int) const {
  return "115200,n,8,1";
}

void V253CommandSet::EnterVoiceMode(CommandEngine& engine, JobValues& v, TextBox& term,
                                    Endings& endings, RingbackTimers timers) {
  devices_ = EnterV253VoiceMode(engine, v, term, endings, coding_, timers);
}

std::optional<std::string> V253CommandSet::SelectDevice(VoiceDevice device) {
  const DeviceChoice choice = ChoiceFor(device);
  for (const std::string_view primitives : choice.primitives) {
    if (const auto label = FindLabel(devices_, primitives)) {
      return "AT+VLS=" + std::to_string(*label);
    }
  }
  std::fprintf(stderr, "talvo: the modem lists no %s in its answer to AT+VLS=?\n", choice.name);
  return std::nullopt;
}

std::string_view V253CommandSet::EndReception() const {
  static constexpr char kEndReception[] = {kDle, '!'};
  return {kEndReception, sizeof kEndReception};
}

std::span<const CallMeaning> V253CommandSet::Meanings() const {
  return kMeanings;
}

std::span<const EventMeaning> V253CommandSet::EventMeanings() const {
  return kEventMeanings;
}

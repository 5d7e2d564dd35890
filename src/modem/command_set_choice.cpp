#include "modem/command_set_choice.h"

#include <string>
#include <string_view>

#include "modem/hash_command_set.h"
#include "modem/v253_command_set.h"
#include "modem/voice_coding.h"

namespace {

std::string Shown(const char* text) {
  return text ? "\"" + std::string(text) + "\"" : "unset";
}

}  // namespace

CommandSetChoice ChooseCommandSet(const char* command_set, const char* coding, const char* rate) {
  const std::string_view name = command_set ? command_set : "hash";
  if (name == "hash") return {std::make_unique<HashCommandSet>(), ""};
  if (name != "v253") {
    return {nullptr, "TALVO_COMMAND_SET is " + Shown(command_set) + ", not \"hash\" or \"v253\""};
  }
  std::optional<VoiceCoding> chosen = ParseVoiceCoding(coding, rate);
  if (!chosen) {
    return {nullptr, "TALVO_VOICE_CODING " + Shown(coding) + " with TALVO_VOICE_RATE " +
                         Shown(rate) + " is no coding: " + ListedCodingNames() +
                         " at a rate in Hz"};
  }
  // A coding the line cannot carry would starve a playback and lose a recording's data.
  if (const long long needed = BytesPerSecond(*chosen); needed > kV253BytesPerSecond) {
    return {nullptr, "TALVO_VOICE_CODING \"" + chosen->name + "\" at " +
                         std::to_string(chosen->rate) + " Hz needs " + std::to_string(needed) +
                         " bytes a second, more than the " + std::to_string(kV253BytesPerSecond) +
                         " the port carries at 115200 bit/s"};
  }
  return {std::make_unique<V253CommandSet>(std::move(*chosen)), ""};
}

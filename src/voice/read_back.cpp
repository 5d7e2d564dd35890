#include "voice/read_back.h"

#include <array>
#include <string>
#include <string_view>

#include "voice/collect_digits.h"
#include "voice/send_voice_buffer.h"
#include "voice/voice_file.h"
#include "voice/voice_transmit.h"

namespace {

constexpr std::array<std::string_view, 10> kDigitPrompts = {
    "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};

// The prompt name a character of the entry is read back with; none for the StopCode.
std::string_view PromptFor(char c) {
  if (c >= '0' && c <= '9') return kDigitPrompts[c - '0'];
  if (c == '*') return "star";
  return {};
}

}  // namespace

bool ReadBackEntry(Modem& modem, const std::filesystem::path& dir, DleDecoder& dle) {
  JobValues& v = modem.v;
  CommandEngine& engine = modem.engine;
  const auto load = [&](std::string_view name) {
    return LoadVoiceFile(dir / (v.PromptDir + std::string(name)));
  };
  StartVoiceTransmit(modem);
  std::string prompt = load("verif1");
  SendVoiceBuffer(engine, prompt);
  for (const char c : v.Digits) {
    const std::string_view name = PromptFor(c);
    // The StopCode that ended the entry has no prompt of its own: the one before plays again.
    if (!name.empty()) prompt = load(name);
    SendVoiceBuffer(engine, prompt);
  }
  SendVoiceBuffer(engine, load("verif2"));
  EndVoiceTransmit(modem);

  const std::string SavedDigits = v.Digits;
  v.Digits.clear();
  CollectDigits(engine, v, dle);
  if (v.StarEnded == 0) return false;
  v.Digits = SavedDigits;
  return true;
}

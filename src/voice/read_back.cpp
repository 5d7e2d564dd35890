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

void SendPrompt(JobContext& ctx, CommandEngine& engine) {
  LoadVoiceFile(ctx);
  SendVoiceBuffer(ctx, engine);
}

void SendNamedPrompt(JobContext& ctx, CommandEngine& engine, std::string_view name) {
  ctx.v.PromptFile = ctx.v.PromptDir + std::string(name);
  SendPrompt(ctx, engine);
}

}  // namespace

bool ReadBackEntry(JobContext& ctx, CommandEngine& engine) {
  JobValues& v = ctx.v;
  StartVoiceTransmit(engine);
  SendNamedPrompt(ctx, engine, "verif1");
  for (const char c : v.Digits) {
    if (c >= '0' && c <= '9') {
      SendNamedPrompt(ctx, engine, kDigitPrompts[c - '0']);
    } else if (c == '*') {
      SendNamedPrompt(ctx, engine, "star");
    } else {
      // The StopCode that ended the entry has no prompt of its own: the one before plays again.
      SendPrompt(ctx, engine);
    }
  }
  SendNamedPrompt(ctx, engine, "verif2");
  EndVoiceTransmit(ctx, engine);

  const std::string SavedDigits = v.Digits;
  v.Digits.clear();
  CollectDigits(ctx, engine);
  if (v.StarEnded == 0) return false;
  v.Digits = SavedDigits;
  return true;
}

#include "voice/send_voice_buffer.h"

#include <algorithm>
#include <string_view>

void SendVoiceBuffer(JobContext& ctx, CommandEngine& engine) {
  const JobValues& v = ctx.v;
  const std::string_view prompt = std::string_view(v.PromptBuffer).substr(0, v.PromptLen);
  std::size_t SendPos = 0;
  do {
    engine.WaitForOutputDrained();
    const std::size_t piece = std::min(JobValues::LGR_ECR_VOICE, prompt.size() - SendPos);
    if (piece > 0) ctx.serial.Output(prompt.substr(SendPos, piece));
    SendPos += piece;
  } while (SendPos < prompt.size());
}

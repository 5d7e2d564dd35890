#include "voice/send_voice_buffer.h"

#include <algorithm>

#include "core/voice_buffer.h"

void SendVoiceBuffer(CommandEngine& engine, std::string_view prompt) {
  std::size_t SendPos = 0;
  do {
    engine.WaitForOutputDrained();
    const std::size_t piece = std::min(LGR_ECR_VOICE, prompt.size() - SendPos);
    if (piece > 0) engine.SendRaw(prompt.substr(SendPos, piece));
    SendPos += piece;
  } while (SendPos < prompt.size());
}

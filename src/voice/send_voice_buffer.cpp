#include "voice/send_voice_buffer.h"

#include <algorithm>

#include "modem/serial_control.h"

void SendVoiceBuffer(JobContext& ctx, CommandEngine& engine, std::string_view prompt) {
  std::size_t SendPos = 0;
  do {
    engine.WaitForOutputDrained();
    const std::size_t piece = std::min(LGR_ECR_VOICE, prompt.size() - SendPos);
    if (piece > 0) ctx.serial.Output(prompt.substr(SendPos, piece));
    SendPos += piece;
  } while (SendPos < prompt.size());
}

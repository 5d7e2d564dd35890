#include "voice/voice_transmit.h"

#include "core/dle.h"
#include "modem/call_progress.h"
#include "modem/command_set.h"

void StartVoiceTransmit(JobContext& ctx, CommandEngine& engine) {
  engine.Send(ctx.commands.VoiceTransmit());
  engine.WaitConnect();
}

void EndVoiceTransmit(JobContext& ctx, CommandEngine& engine) {
  engine.SendRaw(kDleEtx);
  WaitCallProgress(ctx, engine);
}

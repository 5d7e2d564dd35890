#include "voice/voice_transmit.h"

#include "modem/call_progress.h"
#include "core/dle.h"

void StartVoiceTransmit(CommandEngine& engine) {
  engine.Send("AT #VTX");
  engine.WaitConnect();
}

void EndVoiceTransmit(JobContext& ctx, CommandEngine& engine) {
  engine.SendRaw(kDleEtx);
  WaitCallProgress(ctx, engine);
}

#include "voice/voice_transmit.h"

#include "core/dle.h"
#include "modem/call_progress.h"
#include "modem/command_set.h"

void StartVoiceTransmit(Modem& modem) {
  modem.engine.Send(modem.commands.VoiceTransmit());
  modem.engine.WaitConnect();
}

void EndVoiceTransmit(Modem& modem) {
  modem.engine.SendRaw(kDleEtx);
  WaitCallProgress(modem);
}

#include "voice/recording.h"

#include <string>
#include <string_view>

#include "console/term_write.h"
#include "modem/call_progress.h"
#include "core/dle.h"
#include "voice/play_message.h"
#include "voice/receive_voice.h"
#include "voice/result_file.h"

namespace {

void PrintLine(JobContext& ctx, std::string_view line) {
  TermWrite(ctx.term, std::string(line) + '\r');
}

// Sends a voice-line or answer command; the modem confirms it with "VCON".
void SendAwaitingVcon(JobContext& ctx, CommandEngine& engine, std::string_view command) {
  engine.Send(command);
  WaitCallProgress(ctx, engine);
}

// Connects the chosen source and greets it with the stored message. The speaker path plays the
// greeting on the speaker and then switches to the microphone to record.
void PrepareSourceAndGreet(JobContext& ctx, CommandEngine& engine, DleDecoder& dle) {
  const std::string& source = ctx.v.SourceCode;
  if (source == "0") {
    PrintLine(ctx, "****  Waiting for a telephone call  ****");
    engine.WaitRing();
    SendAwaitingVcon(ctx, engine, "ATA");
    PlayMessage(ctx, engine, dle);
    return;
  }
  const bool handset = source == "1";
  PrintLine(ctx, handset ? "****  Recording from the Handset  ****"
                         : "****  Recording from the modem speaker  ****");
  engine.Send("AT L3");
  engine.WaitOk();
  SendAwaitingVcon(ctx, engine, handset ? "AT #VLS=1" : "AT #VLS=2");
  PlayMessage(ctx, engine, dle);
  if (!handset) SendAwaitingVcon(ctx, engine, "AT #VLS=3");
}

// Writes the recording and its DLE ETX as the whole result file.
void StoreRecording(JobContext& ctx) {
  JobValues& v = ctx.v;
  v.VoiceBuffer.resize(v.VoiceLen);
  v.VoiceBuffer += kDle;
  v.VoiceBuffer += kEtx;
  WriteResultFile(ctx, v.VoiceBuffer);
}

}  // namespace

void RunRecording(JobContext& ctx, CommandEngine& engine, Endings& endings) {
  engine.Send("AT #VSP=15 #VSD=1  #VSS=2");
  if (!engine.WaitOk()) endings.NoResponseEnding();
  PrintLine(ctx, "****  Recording mode  ****");
  DleDecoder dle;  // the modem's events for the rest of the job
  PrepareSourceAndGreet(ctx, engine, dle);
  engine.Send("AT #VRX");
  engine.WaitConnect();
  ReceiveVoice(ctx, engine, dle);
  StoreRecording(ctx);
  endings.EndSequence();
}

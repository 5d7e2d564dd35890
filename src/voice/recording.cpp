#include "voice/recording.h"

#include <string>
#include <string_view>

#include "console/term_write.h"
#include "core/dle.h"
#include "modem/call_progress.h"
#include "modem/command_set.h"
#include "voice/play_message.h"
#include "voice/receive_voice.h"
#include "voice/result_file.h"

namespace {

void PrintLine(JobContext& ctx, std::string_view line) {
  TermWrite(ctx.term, std::string(line) + '\r');
}

// Sends an answer command; the modem confirms the voice connection.
void SendAwaitingConnection(JobContext& ctx, CommandEngine& engine, std::string_view command) {
  engine.Send(command);
  WaitCallProgress(ctx, engine);
}

// Connects `device`; a modem without it takes the no-response ending.
void SelectDevice(JobContext& ctx, CommandEngine& engine, Endings& endings, VoiceDevice device) {
  const auto command = ctx.commands.SelectDevice(device);
  if (!command) endings.NoResponseEnding();
  SendAwaitingConnection(ctx, engine, *command);
}

// Connects the chosen source and greets it with the stored message. The speaker path plays the
// greeting on the speaker and then switches to the microphone to record.
void PrepareSourceAndGreet(JobContext& ctx, CommandEngine& engine, Endings& endings,
                           DleDecoder& dle) {
  const std::string& source = ctx.v.SourceCode;
  if (source == "0") {
    PrintLine(ctx, "****  Waiting for a telephone call  ****");
    engine.WaitRing();
    SendAwaitingConnection(ctx, engine, "ATA");
    PlayMessage(ctx, engine, dle);
    return;
  }
  const bool handset = source == "1";
  PrintLine(ctx, handset ? "****  Recording from the Handset  ****"
                         : "****  Recording from the modem speaker  ****");
  engine.Send("AT L3");
  engine.WaitOk();
  SelectDevice(ctx, engine, endings, handset ? VoiceDevice::kHandset : VoiceDevice::kSpeaker);
  PlayMessage(ctx, engine, dle);
  if (!handset) SelectDevice(ctx, engine, endings, VoiceDevice::kMicrophone);
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
  engine.Send(ctx.commands.SilenceDetection());
  if (!engine.WaitOk()) endings.NoResponseEnding();
  PrintLine(ctx, "****  Recording mode  ****");
  DleDecoder dle;  // the modem's events for the rest of the job
  PrepareSourceAndGreet(ctx, engine, endings, dle);
  engine.Send(ctx.commands.VoiceReceive());
  // Without the modem's CONNECT no reception began, and a reception that never began never
  // ends: a garbled CONNECT takes the voice data that follows it as reply lines.
  if (!engine.WaitConnect()) endings.NoResponseEnding();
  ReceiveVoice(ctx, engine, dle);
  StoreRecording(ctx);
  endings.EndSequence();
}

#include "voice/recording.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#include "console/term_write.h"
#include "core/dle.h"
#include "modem/call_progress.h"
#include "modem/caller_id.h"
#include "modem/command_set.h"
#include "modem/incoming_call.h"
#include "platform/file_write.h"
#include "voice/play_message.h"
#include "voice/receive_voice.h"
#include "voice/result_file.h"

namespace {

void PrintLine(TextBox& term, std::string_view line) {
  TermWrite(term, std::string(line) + '\r');
}

// Sends an answer command; the modem confirms the voice connection.
void SendAwaitingConnection(Modem& modem, std::string_view command) {
  modem.engine.Send(command);
  WaitCallProgress(modem);
}

// Connects `device`; a modem without it takes the no-response ending.
void SelectDevice(Modem& modem, Endings& endings, VoiceDevice device) {
  const auto command = modem.commands.SelectDevice(device);
  if (!command) endings.NoResponseEnding();
  SendAwaitingConnection(modem, *command);
}

std::string CallerIdFile(const JobValues& v) {
  return "callid_" + v.JobId;
}

// Asked for first thing, so that no ring comes before it. An earlier job's caller ID file
// never stands for this call.
bool AskForCallerId(Modem& modem, const std::filesystem::path& dir) {
  std::error_code ignored;
  std::filesystem::remove(dir / CallerIdFile(modem.v), ignored);
  return SwitchOnCallerId(modem);
}

// With caller ID the call is answered after its second ring, since the report comes between the
// first and the second; the report, if one came, is kept in the caller ID file.
void AwaitCall(Modem& modem, TextBox& term, const std::filesystem::path& dir, bool caller_id) {
  PrintLine(term, "****  Waiting for a telephone call  ****");
  WaitRing(modem);
  if (!caller_id) return;
  CallerIdReport report;
  WaitRing(modem, [&report](std::string_view line) { report.Take(line); });
  if (report.Empty()) return;
  PrintLine(term, "****  Caller ID  " + report.ConsoleText() + "  ****");
  const std::string name = CallerIdFile(modem.v);
  if (const std::error_code failure = WriteWholeFile(dir, name, report.FileText())) {
    std::fprintf(stderr, "talvo: cannot write %s: %s\n", name.c_str(), failure.message().c_str());
  }
}

// Connects the chosen source and greets it with the stored message. The speaker path plays the
// greeting on the speaker and then switches to the microphone to record.
void PrepareSourceAndGreet(Modem& modem, TextBox& term, const std::filesystem::path& dir,
                           Endings& endings, bool caller_id, DleDecoder& dle) {
  const std::string& source = modem.v.SourceCode;
  if (source == "0") {
    AwaitCall(modem, term, dir, caller_id);
    SendAwaitingConnection(modem, "ATA");
    PlayMessage(modem, term, dle);
    return;
  }
  const bool handset = source == "1";
  PrintLine(term, handset ? "****  Recording from the Handset  ****"
                          : "****  Recording from the modem speaker  ****");
  modem.engine.Send("AT L3");
  modem.engine.WaitOk();
  SelectDevice(modem, endings, handset ? VoiceDevice::kHandset : VoiceDevice::kSpeaker);
  PlayMessage(modem, term, dle);
  if (!handset) SelectDevice(modem, endings, VoiceDevice::kMicrophone);
}

// Writes the recording and its DLE ETX as the whole result file.
void StoreRecording(JobValues& v, TextBox& term, const std::filesystem::path& dir) {
  v.VoiceBuffer.resize(v.VoiceLen);
  v.VoiceBuffer += kDle;
  v.VoiceBuffer += kEtx;
  WriteResultFile(dir, v.JobId, term, v.VoiceBuffer);
}

}  // namespace

void RunRecording(Modem& modem, TextBox& term, const std::filesystem::path& dir, Endings& endings,
                  bool caller_id) {
  CommandEngine& engine = modem.engine;
  caller_id = caller_id && modem.v.SourceCode == "0" && AskForCallerId(modem, dir);
  engine.Send(modem.commands.SilenceDetection());
  engine.WaitOkOrEnd();
  PrintLine(term, "****  Recording mode  ****");
  DleDecoder dle;  // the modem's events for the rest of the job
  PrepareSourceAndGreet(modem, term, dir, endings, caller_id, dle);
  engine.Send(modem.commands.VoiceReceive());
  // Without the modem's CONNECT no reception began, and a reception that never began never
  // ends: a garbled CONNECT takes the voice data that follows it as reply lines.
  engine.WaitConnectOrEnd();
  ReceiveVoice(modem, term, dle);
  StoreRecording(modem.v, term, dir);
  endings.EndSequence();
}

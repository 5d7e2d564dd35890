#include "job/job.h"

#include "console/window.h"
#include "job/command_line.h"
#include "job/number_rule.h"
#include "job/parameter_file.h"
#include "job/startup.h"
#include "modem/call_progress.h"
#include "modem/modem_setup.h"
#include "modem/serial_port_phase.h"
#include "voice/playback.h"
#include "voice/recording.h"
#include "voice/voice_file.h"

void Job::Run() {
  JobValues& v = ctx_.v;
  PrintStartupLines(ctx_.term, ctx_.dir, engine_);
  ParseCommandLine(command_line_, v);
  ReadParameterFile(ctx_.dir / ("params_" + v.JobId), v);
  v.DialModifier = DialModifierOf(command_line_);
  ctx_.window.SetWindowState(DigitValue(Position(command_line_, 5)));
  v.VoiceBuffer = LoadMessageFile(ctx_.dir / ("talvin_" + v.JobId));
  v.VoiceLen = v.VoiceBuffer.size();
  if (!commands_) endings_.BusyEnding();
  Modem modem{engine_, *commands_, v};
  OpenSerialPort(modem, ctx_.term, endings_);
  SetUpModem(modem, ctx_.term, ctx_.sleeper, endings_);
  if (IsRecordingJob(command_line_)) RunRecording(modem, ctx_.term, ctx_.dir, endings_, caller_id_);
  v.PlayTarget = command_line_.size() > 6 ? command_line_.substr(6) : std::string();
  PlaceCall(modem, ctx_.term, ctx_.sleeper, endings_);
  RunPlayback(modem, ctx_.term, ctx_.dir, endings_);
}

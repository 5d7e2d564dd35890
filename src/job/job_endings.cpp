#include "job/job_endings.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <system_error>

#include "console/term_write.h"
#include "console/text_box.h"
#include "core/dle.h"
#include "modem/command_set.h"
#include "platform/file_write.h"
#include "platform/sleeper.h"
#include "platform/termination.h"
#include "voice/result_file.h"

namespace {
constexpr std::chrono::milliseconds kResetPause(3000);

// The console is complete by then, so a job file the ending cannot write is told on stderr.
void ReportUnwritten(const std::string& name, std::error_code failure) {
  if (failure) {
    std::fprintf(stderr, "talvo: cannot write %s: %s\n", name.c_str(), failure.message().c_str());
  }
}
}  // namespace

std::string JobEndings::JobFileName(std::string_view prefix) const {
  return std::string(prefix) + ctx_.v.JobId;
}

void JobEndings::WriteOutcomeMarker(std::string_view text, std::string_view console_line) {
  if (!console_line.empty()) TermWrite(ctx_.term, std::string(console_line) + '\r');
  outcome_marker_ = "$" + std::string(text) + "$\r\n";
}

void JobEndings::RunEndSequence() {
  if (!commands_) ShortEndSequence();  // no port, no modem to reset
  ending_ = true;
  ctx_.v.ReplyTimeout = 5;
  engine_.Close();
  ctx_.sleeper.Sleep(kResetPause);
  engine_.Open();
  engine_.Send(commands_->LeaveVoiceMode());
  const bool answered = engine_.WaitOk();
  engine_.Send("ATH0");
  if (answered) engine_.WaitOk();
  FinishJobFiles();
}

void JobEndings::ShortEndSequence() {
  FinishJobFiles();
}

void JobEndings::WindowShutdown() {
  if (!commands_) ShortEndSequence();
  ending_ = true;
  engine_.SendRaw(kDleEtx);
  engine_.Close();
  ctx_.sleeper.Sleep(kResetPause);
  engine_.Open();
  engine_.Send(commands_->LeaveVoiceModeAndHangUp());
  FinishJobFiles();
}

void JobEndings::FinishJobFiles() {
  // The completion marker promises a complete result: the marker must be on disk first.
  if (outcome_marker_) WriteResultFile(ctx_.dir, ctx_.v.JobId, ctx_.term, *outcome_marker_);
  // Created when missing, never truncated: an existing marker stays as it is.
  const std::string completion = JobFileName("talvin2_");
  ReportUnwritten(completion, CreateFileIfMissing(ctx_.dir, completion));
  TermWrite(ctx_.term, "****  End of TAL_VO  ****  \r");
  // The trace replaces an older one whole, so no byte of an older, longer trace survives.
  const std::string trace = JobFileName("trace_");
  ReportUnwritten(trace, WriteWholeFile(ctx_.dir, trace, ctx_.term.Text()));
  ctx_.termination.Terminate();
}

void JobEndings::RunNoResponseEnding() {
  WriteOutcomeMarker("D", "****  No Response from the modem  ****");
  EndSequence();
}

void JobEndings::RunBusyEnding() {
  WriteOutcomeMarker("F", "****  Error modem is busy  ****");
  ShortEndSequence();
}

void JobEndings::RunLostEnding() {
  const char* line = "****  Error modem is lost  ****";
  if (ending_) {
    TermWrite(ctx_.term, std::string(line) + '\r');
  } else {
    WriteOutcomeMarker("D", line);
  }
  ShortEndSequence();
}

#include "job/job_endings.h"

#include <chrono>
#include <string>

#include "console/term_write.h"
#include "console/text_box.h"
#include "modem/serial_control.h"
#include "platform/file_sync.h"
#include "platform/sleeper.h"
#include "platform/termination.h"
#include "voice/dle.h"

namespace {
constexpr std::chrono::milliseconds kResetPause(3000);
}  // namespace

JobEndings::~JobEndings() {
  CloseResultFile();
}

std::filesystem::path JobEndings::JobFile(std::string_view prefix) const {
  return ctx_.dir / (std::string(prefix) + ctx_.v.JobId);
}

void JobEndings::WriteOutcomeMarker(std::string_view text, std::string_view console_line) {
  if (!console_line.empty()) TermWrite(ctx_.term, std::string(console_line) + '\r');
  CloseResultFile();
  result_file_ = std::fopen(JobFile("talvin_").c_str(), "wb");
  if (result_file_ == nullptr) return;
  const std::string marker = "$" + std::string(text) + "$\r\n";
  std::fwrite(marker.data(), 1, marker.size(), result_file_);
}

void JobEndings::CloseResultFile() {
  if (result_file_ == nullptr) return;
  // The completion marker promises a complete result: the bytes must be on disk first.
  SyncToDisk(result_file_);
  std::fclose(result_file_);
  result_file_ = nullptr;
}

void JobEndings::RunEndSequence() {
  ending_ = true;
  ctx_.v.ReplyTimeout = 5;
  ctx_.serial.SetPortOpen(false);
  ctx_.sleeper.Sleep(kResetPause);
  ctx_.serial.SetPortOpen(true);
  engine_.Send("AT #CLS=0");
  const bool answered = engine_.WaitOk();
  engine_.Send("ATH0");
  if (answered) engine_.WaitOk();
  FinishJobFiles();
}

void JobEndings::ShortEndSequence() {
  FinishJobFiles();
}

void JobEndings::WindowShutdown() {
  ending_ = true;
  engine_.SendRaw(kDleEtx);
  ctx_.serial.SetPortOpen(false);
  ctx_.sleeper.Sleep(kResetPause);
  ctx_.serial.SetPortOpen(true);
  engine_.Send("AT #CLS=0 H0");
  FinishJobFiles();
}

void JobEndings::FinishJobFiles() {
  CloseResultFile();
  // Created when missing, never truncated: an existing marker stays as it is.
  if (std::FILE* marker = std::fopen(JobFile("talvin2_").c_str(), "ab")) std::fclose(marker);
  TermWrite(ctx_.term, "****  End of TAL_VO  ****  \r");
  // The trace is opened truncated, so no byte of an older, longer trace survives.
  if (std::FILE* trace = std::fopen(JobFile("trace_").c_str(), "wb")) {
    const std::string& text = ctx_.term.Text();
    std::fwrite(text.data(), 1, text.size(), trace);
    SyncToDisk(trace);
    std::fclose(trace);
  }
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

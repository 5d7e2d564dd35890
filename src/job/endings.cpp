#include "job/endings.h"

#include "console/term_write.h"
#include "platform/file_sync.h"
#include "voice/dle_scan.h"

namespace {
constexpr int kResetPauseMs = 3000;
}  // namespace

Endings::~Endings() {
  CloseResultFile();
}

std::filesystem::path Endings::JobFile(std::string_view prefix) const {
  return ctx_.dir / (std::string(prefix) + ctx_.v.JobId);
}

void Endings::WriteOutcomeMarker(std::string_view text, std::string_view console_line) {
  if (!console_line.empty()) TermWrite(ctx_.term, std::string(console_line) + '\r');
  CloseResultFile();
  result_file_ = std::fopen(JobFile("talvin_").c_str(), "wb");
  if (result_file_ == nullptr) return;
  const std::string marker = "$" + std::string(text) + "$\r\n";
  std::fwrite(marker.data(), 1, marker.size(), result_file_);
}

void Endings::CloseResultFile() {
  if (result_file_ == nullptr) return;
  // The completion marker promises a complete result: the bytes must be on disk first.
  SyncToDisk(result_file_);
  std::fclose(result_file_);
  result_file_ = nullptr;
}

void Endings::EndSequence() {
  JobValues& v = ctx_.v;
  v.TimedOut = 0;
  v.ReplyTimeout = 5;
  ctx_.serial.SetPortOpen(false);
  ctx_.sleeper.Sleep(kResetPauseMs);
  ctx_.serial.SetPortOpen(true);
  engine_.Send("AT #CLS=0");
  engine_.WaitOk();
  engine_.Send("ATH0");
  if (v.TimedOut != 1) engine_.WaitOk();
  FinishJobFiles();
}

void Endings::ShortEndSequence() {
  FinishJobFiles();
}

void Endings::WindowShutdown() {
  engine_.SendRaw(kDleEtx);
  ctx_.serial.SetPortOpen(false);
  ctx_.sleeper.Sleep(kResetPauseMs);
  ctx_.serial.SetPortOpen(true);
  engine_.Send("AT #CLS=0 H0");
  FinishJobFiles();
}

void Endings::FinishJobFiles() {
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

void Endings::NoResponseEnding() {
  WriteOutcomeMarker("D", "****  No Response from the modem  ****");
  EndSequence();
}

void Endings::BusyEnding() {
  WriteOutcomeMarker("F", "****  Error modem is busy  ****");
  ShortEndSequence();
}

#pragma once
// The job's endings over the modem and the job files. The outcome marker is kept until the
// ending writes it as the result file; the completion marker follows only once that is on
// disk, and the trace is written last, just before the program terminates.
#include <optional>
#include <string>
#include <string_view>

#include "core/endings.h"
#include "job/job_context.h"
#include "modem/command_engine.h"
#include "modem/command_set.h"

class JobEndings : public Endings {
 public:
  // `engine` speaks to the modem for the endings, in the words of `commands`; it ends the job
  // through these endings in turn. Without a command set the job never opens its port.
  JobEndings(JobContext& ctx, CommandEngine& engine, const CommandSet* commands)
      : ctx_(ctx), engine_(engine), commands_(commands) {}
  JobEndings(const JobEndings&) = delete;
  JobEndings& operator=(const JobEndings&) = delete;

  void WriteOutcomeMarker(std::string_view text, std::string_view console_line) override;

  // Close box, File > Exit and termination signals: ends any voice transmission, hangs up
  // without waiting for replies, finishes the job files and terminates.
  [[noreturn]] void WindowShutdown();

 private:
  void RunEndSequence() override;
  void RunNoResponseEnding() override;
  void RunBusyEnding() override;
  void RunLostEnding() override;
  // The ending for a port that never opened: no modem command, only the job files.
  [[noreturn]] void ShortEndSequence();
  [[noreturn]] void FinishJobFiles();
  std::string JobFileName(std::string_view prefix) const;

  JobContext& ctx_;
  CommandEngine& engine_;
  const CommandSet* commands_;
  bool ending_ = false;                        // the end sequence or the window shutdown has begun
  std::optional<std::string> outcome_marker_;  // the last one written
};

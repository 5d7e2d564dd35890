#pragma once
// Every job ends here, leaving three files named by the job identifier: the result file
// "talvin_" (an outcome marker, or the recording), the empty completion marker "talvin2_",
// created only once the result file is complete, and "trace_", the console text. The
// program then terminates; none of these functions returns.
#include <cstdio>
#include <string>
#include <string_view>

#include "job/job_context.h"
#include "modem/command_engine.h"

class Endings {
 public:
  Endings(JobContext& ctx, CommandEngine& engine) : ctx_(ctx), engine_(engine) {}
  ~Endings();
  Endings(const Endings&) = delete;
  Endings& operator=(const Endings&) = delete;

  // Prints `console_line` + CR unless it is empty, then writes "$" + text + "$" CR LF as the
  // only line of a new result file, which stays open until the ending closes it.
  void WriteOutcomeMarker(std::string_view text, std::string_view console_line);

  // Resets and hangs up the modem, then finishes the job files and terminates.
  [[noreturn]] void EndSequence();
  // The ending for a port that never opened: no modem command, only the job files.
  [[noreturn]] void ShortEndSequence();
  // Close box, File > Exit and termination signals: ends any voice transmission, hangs up
  // without waiting for replies, finishes the job files and terminates.
  [[noreturn]] void WindowShutdown();

  // The modem did not answer in time: "$D$".
  [[noreturn]] void NoResponseEnding();
  // The serial port could not be opened: "$F$".
  [[noreturn]] void BusyEnding();

 private:
  [[noreturn]] void FinishJobFiles();
  void CloseResultFile();
  std::filesystem::path JobFile(std::string_view prefix) const;

  JobContext& ctx_;
  CommandEngine& engine_;
  std::FILE* result_file_ = nullptr;
};

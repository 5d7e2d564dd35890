#pragma once
// One talvo run: start-up, the stored message, the serial port, the modem set-up, then a
// recording (a command line of exactly six characters) or a playback, and the ending. Every
// path ends the program; nothing returns to the window.
#include <string>

#include "job/endings.h"
#include "job/job_context.h"
#include "modem/command_engine.h"

class Job {
 public:
  Job(JobContext& ctx, std::string command_line)
      : ctx_(ctx), command_line_(std::move(command_line)), engine_(ctx), endings_(ctx, engine_) {}

  [[noreturn]] void Run();
  // The window was closed, File > Exit chosen, or a termination signal came.
  [[noreturn]] void WindowShutdown() { endings_.WindowShutdown(); }

 private:
  JobContext& ctx_;
  std::string command_line_;
  CommandEngine engine_;
  Endings endings_;
};

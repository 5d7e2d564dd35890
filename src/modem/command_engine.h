#pragma once
// Command mode: a command goes to the modem as text + CR in one write; replies come back one
// line at a time. The reader takes one byte per read, drops NUL and CR, ends a line at LF and
// skips empty lines. Its time-out measures silence: the deadline restarts with every byte
// received, and fires when the job clock's whole seconds are strictly past it.
#include <cstdint>
#include <optional>
#include <string_view>

#include "job/job_context.h"

class CommandEngine {
 public:
  explicit CommandEngine(JobContext& ctx) : ctx_(ctx) {}

  // Sends `command` followed by CR.
  void Send(std::string_view command);
  // Sends bytes as they stand (voice data, DLE ETX).
  void SendRaw(std::string_view bytes);

  // Reads one non-empty line into ReplyLine, or sets TimedOut after ReplyTimeout seconds of
  // silence (ReplyLine then holds what had arrived of a line).
  void ReadReply();
  // Read lines until "OK" / "CONNECT" arrives or a read times out.
  void WaitOk();
  void WaitConnect();
  // Reads lines until "RING" arrives, through any number of time-outs.
  void WaitRing();

  // Lets the window handle its pending events.
  void PumpEvents();
  // Waits until received bytes are waiting (true) or the job clock is strictly past
  // `deadline_seconds` (false). Without a deadline it waits as long as it takes.
  bool WaitForInput(std::optional<std::int64_t> deadline_seconds);
  // Waits until everything written has left the serial control.
  void WaitForOutputDrained();
  // Prints received bytes on the console when EchoFlag is 1.
  void Echo(std::string_view received);

 private:
  void WaitForLine(std::string_view word);

  JobContext& ctx_;
};

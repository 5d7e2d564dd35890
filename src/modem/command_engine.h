#pragma once
// The port's one owner. Everything the job sends goes through it, and everything the modem
// sends comes out of it: the phases ask it and never touch the serial control.
//
// Reading: whenever the job needs a byte and none is left in memory, the engine takes every
// byte the serial control holds in one read, and serves the phases' one-byte reads from
// memory; the waits sleep in the OS only while memory and the serial control are both empty.
// A byte served one at a time (replies, keys) is echoed on the console when EchoFlag is 1, at
// the moment it is served; voice data is taken in bulk and never echoed. Closing the port
// forgets what it had received. A wait that finds the modem's device gone ends the job at once.
//
// Command mode: a command goes to the modem as text + CR in one write; replies come back one
// line at a time. The reader takes one byte at a time, drops NUL and CR, ends a line at LF and
// skips empty lines; of a line longer than 4096 bytes it keeps the first 4096. Its time-out
// measures silence: the deadline restarts with every byte received. A modem that floods without
// pause would keep a wait alive for as long as it floods, so every wait also has a ceiling, ten
// times its time-out from its start, past which it ends as a time-out, as with a silent modem.
// Where the command set says DLE events may come among the replies (the V.253 set), every read
// takes one as a report of its own, line end or not.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "console/text_box.h"
#include "core/dle.h"
#include "core/endings.h"
#include "core/job_time.h"
#include "core/job_values.h"
#include "modem/serial_control.h"
#include "platform/event_pump.h"
#include "platform/job_clock.h"

class CommandEngine {
 public:
  // The engine owns `serial`; replies land in `v`, and are echoed on `term` when EchoFlag is 1.
  // Its waits pump `events` and time out on `clock`; a wait that finds the modem's device gone
  // ends the job through `endings`. Where the command set says so, DLE events come among the
  // replies.
  CommandEngine(SerialControl& serial, JobValues& v, TextBox& term, EventPump& events,
                JobClock& clock, Endings& endings, bool events_among_replies)
      : serial_(serial),
        v_(v),
        term_(term),
        events_(events),
        clock_(clock),
        endings_(endings),
        events_among_replies_(events_among_replies) {}
  CommandEngine(const CommandEngine&) = delete;
  CommandEngine& operator=(const CommandEngine&) = delete;

  // The port COMn: selected while closed, then opened; closed and opened again by the endings.
  bool SelectPort(int comm_port);
  bool Open();
  void Close();
  // The line settings, as the serial control takes them.
  bool SetSettings(std::string_view settings);
  std::string Settings() const;
  // The serial control's buffer sizes.
  int InBufferSize() const;
  int OutBufferSize() const;

  // Sends `command` followed by CR.
  void Send(std::string_view command);
  // Sends bytes as they stand (voice data, DLE ETX), in one write.
  void SendRaw(std::string_view bytes);

  // The next received byte, echoed; nothing when none is waiting. It never waits.
  std::optional<char> ReadByte();
  // Every received byte waiting, not echoed; empty when none is.
  std::string ReadWaiting();

  // Reads one non-empty line into ReplyLine and returns true, or returns false (and sets
  // TimedOut) after ReplyTimeout seconds of silence or at the read's ceiling; ReplyLine then
  // holds what had arrived of a line. Where events come among the replies, a DLE event (DLE +
  // one character) is whole as soon as its character arrives: Event() then holds it, ReplyLine
  // is empty, and what had arrived of a line is dropped. A shielded DLE DLE is a byte 16 of the
  // line.
  bool ReadReply();
  // The DLE event the last read brought in place of a line; nothing when it brought a line or
  // timed out.
  std::optional<DleEvent> Event() const { return event_; }
  // Read lines until "OK" / "CONNECT" arrives (true) or a read times out (false); the ceiling
  // counts from the start of the whole wait.
  bool WaitOk();
  bool WaitConnect();
  // As ReadReply, WaitOk and WaitConnect, except that a modem that does not answer ends the job
  // with the no-response ending: they return only with a reply.
  void ReadReplyOrEnd();
  void WaitOkOrEnd();
  void WaitConnectOrEnd();
  // `wait` whole seconds from now on the job clock.
  Deadline DeadlineIn(std::chrono::seconds wait);
  // Waits until a received byte is waiting (true) or `deadline` has passed (false). Without a
  // deadline it waits as long as it takes. This wait, and the one below, are the job's only
  // waits: both end the job at once when the modem's device is lost.
  bool WaitForInput(std::optional<Deadline> deadline);
  // Waits until everything written has left the serial control; past the drain's ceiling (the
  // line time of what is queued, plus the reply time-out) the job takes the lost ending.
  void WaitForOutputDrained();

 private:
  // The ceiling of a wait that starts now.
  Deadline Ceiling();
  bool ReadLine(Deadline ceiling);
  bool WaitForLine(std::string_view word);
  void EndIfLost();
  // Whether a received byte is in memory, after one read of the serial control when none was.
  bool Fill();

  SerialControl& serial_;
  JobValues& v_;
  TextBox& term_;
  EventPump& events_;
  JobClock& clock_;
  Endings& endings_;
  bool events_among_replies_;
  std::optional<DleEvent> event_;
  std::string received_;    // the last read of the serial control
  std::size_t served_ = 0;  // the bytes of it the phases have had
};

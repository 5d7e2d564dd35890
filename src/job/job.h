#pragma once
// One talvo run: start-up, the stored message, the serial port, the modem set-up, then a
// recording (a command line of exactly six characters) or a playback, and the ending.
//
// How control flows
// -----------------
// The program's main builds the window and the seams and then runs Qt's event loop. The job
// does not start inside the window's show event (the window would never be painted): the
// window queues a zero-delay call after its first show, and that call runs Job::Run from
// inside the event loop. Run is the straight line of phases; it never returns to the loop.
//
// The job holds the context (the job-wide values and the seams) and hands each phase only what
// it uses: the modem as a Modem (the command engine, the command set, the values), and the
// console, the pauses, the job's folder or the endings where a phase needs them. The command
// engine is the port's one owner; no phase touches the serial control. A command set the caller
// could not have is no set at all: the job then takes the busy ending before its port phase.
//
// Every wait for the modem (a reply, call progress, the voice data's draining, a key) that finds
// no received byte in the engine's memory pumps the window's events: it runs the handlers
// already queued, then sleeps in the kernel until serial data, a window event or the wait's
// deadline arrives. Pauses (Sleeper) block instead and let no event through. So a typed key, a
// resize, the close box, File > Exit or a termination signal (SIGTERM, SIGINT, SIGHUP, routed
// through a pipe into the event loop) is handled inside whatever wait the job is in. The last three
// call WindowShutdown from there.
//
// Endings never return. Each writes the job files and then ends the process through the
// Termination seam, from however deep in a phase it was called; in unit tests that seam throws
// instead, so a test runs a whole job and then inspects its files, its console and what the
// modem received.
#include <string>
#include <string_view>
#include <utility>

#include "job/job_context.h"
#include "job/job_endings.h"
#include "modem/command_engine.h"
#include "modem/command_set.h"

class Job {
 public:
  // `commands` is the modem's command set, or null when the caller chose one that does not
  // exist: the job then ends as a port that cannot be used, before its port phase. With
  // `caller_id`, a recording of an incoming call asks the modem for the caller's ID.
  Job(JobContext& ctx, SerialControl& serial, std::string command_line, CommandSet* commands,
      bool caller_id = false)
      : ctx_(ctx),
        command_line_(std::move(command_line)),
        commands_(commands),
        caller_id_(caller_id),
        endings_(ctx, engine_, commands),
        engine_(serial, ctx.v, ctx.term, ctx.events, ctx.clock, endings_,
                commands && commands->EventsAmongReplies()) {}

  [[noreturn]] void Run();
  // The window was closed, File > Exit chosen, or a termination signal came.
  [[noreturn]] void WindowShutdown() { endings_.WindowShutdown(); }
  // Keys typed in the window go to the modem as they are.
  void TypeKeys(std::string_view keys) { engine_.SendRaw(keys); }

 private:
  JobContext& ctx_;
  std::string command_line_;
  CommandSet* commands_;
  bool caller_id_;
  JobEndings endings_;
  CommandEngine engine_;  // the port's one owner, for the phases and the endings alike
};

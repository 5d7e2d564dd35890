// talvo.exe: runs one voice-telephony job and exits. The arguments after the program name,
// joined by single blanks, are the job's command line. This is where the seams meet their Win32
// adapters; how control flows between the window and the job is told in job/job.h, with the
// message queue in the place of Qt's event loop.
//
// A console program, not a GUI one: a calling script reads on stderr why a port could not be had
// and can end a job with the console's control events, and a GUI program has neither; it makes
// its window all the same.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/help_request.h"
#include "app/job_request.h"
#include "console/memory_text_box.h"
#include "job/job.h"
#include "platform/process_termination.h"
#include "platform/steady_job_clock.h"
#include "platform/thread_sleeper.h"
#include "win32/win32_console_control.h"
#include "win32/win32_event_pump.h"
#include "win32/win32_main_window.h"
#include "win32/win32_serial_control.h"

int main(int argc, char** argv) {
  // The same bytes as the Linux program writes: a script that reads them finds no CR added.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const std::optional<int> status = AnswerHelpRequest(args)) return *status;
  const JobRequest request = ReadJobRequest(args);

  SteadyJobClock clock;
  ThreadSleeper sleeper;
  Win32EventPump events(clock);
  Win32SerialControl serial;
  for (HANDLE event : serial.Events()) events.Watch(event, [&serial] { serial.Service(); });
  MemoryTextBox console;
  ByteSink to_modem;  // the job's command engine, once there is a job
  Win32MainWindow window(console, [&to_modem](std::string_view keys) { to_modem(keys); });
  ProcessTermination termination([&serial] { serial.SetPortOpen(false); });
  JobValues values;
  JobContext ctx{values, console, window, events, clock, sleeper, termination, "."};
  Job job(ctx, serial, request.command_line, request.choice.commands.get(), request.caller_id);
  to_modem = [&job](std::string_view keys) { job.TypeKeys(keys); };

  window.OnFirstShow([&job] { job.Run(); });
  window.OnShutdown([&job] { job.WindowShutdown(); });
  events.OnQuit([&job] { job.WindowShutdown(); });
  RouteConsoleControl(events, [&job] { job.WindowShutdown(); });
  if (!window.Show()) job.Run();  // no display: the job runs without a window
  // The job starts from the queue and ends the process; the wait also serves a console control
  // event that comes before it starts.
  for (;;) events.WaitForActivity(std::nullopt);
}

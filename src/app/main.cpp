// talvo: runs one voice-telephony job and exits. The arguments after the program name,
// joined by single blanks, are the job's command line; Qt sees none of them. This is where the
// seams meet their adapters; how control flows between the window and the job is told in
// job/job.h.
#include <QApplication>
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
#include "qt/qt_event_pump.h"
#include "qt/qt_serial_control.h"
#include "qt/termination_signals.h"
#include "qt/window_platform.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const std::optional<int> status = AnswerHelpRequest(args)) return *status;
  const JobRequest request = ReadJobRequest(args);
  QuietQtMessages();
  const bool platform_chosen = ChooseWindowPlatform();
  static int qt_argc = 1;
  QApplication app(qt_argc, argv);
  if (platform_chosen) ReportDisplayFallback();

  SteadyJobClock clock;
  ThreadSleeper sleeper;
  QtEventPump events(clock);
  QtSerialControl serial;
  MemoryTextBox console;
  ByteSink to_modem;  // the job's command engine, once there is a job
  MainWindow window(console, [&to_modem](std::string_view keys) { to_modem(keys); });
  ProcessTermination termination([&serial] { serial.SetPortOpen(false); });
  JobValues values;
  JobContext ctx{values, console, window, events, clock, sleeper, termination, "."};
  Job job(ctx, serial, request.command_line, request.choice.commands.get(), request.caller_id);
  to_modem = [&job](std::string_view keys) { job.TypeKeys(keys); };

  window.OnFirstShow([&job] { job.Run(); });
  window.OnShutdown([&job] { job.WindowShutdown(); });
  RouteTerminationSignals([&job] { job.WindowShutdown(); });
  window.show();
  return QApplication::exec();
}

// talvo: runs one voice-telephony job and exits. The arguments after the program name,
// joined by single blanks, are the job's command line; Qt sees none of them. This is where the
// seams meet their adapters; how control flows between the window and the job is told in
// job/job.h.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/help_request.h"
#include "console/memory_text_box.h"
#include "job/command_line.h"
#include "job/job.h"
#include "modem/command_set_choice.h"
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
  const std::string command_line = JoinArguments(args);
  const CommandSetChoice choice =
      ChooseCommandSet(std::getenv("TALVO_COMMAND_SET"), std::getenv("TALVO_VOICE_CODING"),
                       std::getenv("TALVO_VOICE_RATE"));
  if (!choice.commands) std::fprintf(stderr, "talvo: %s\n", choice.refusal.c_str());
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
  const char* caller_id = std::getenv("TALVO_CALLER_ID");
  Job job(ctx, serial, command_line, choice.commands.get(),
          caller_id && std::string_view(caller_id) == "1");
  to_modem = [&job](std::string_view keys) { job.TypeKeys(keys); };

  window.OnFirstShow([&job] { job.Run(); });
  window.OnShutdown([&job] { job.WindowShutdown(); });
  RouteTerminationSignals([&job] { job.WindowShutdown(); });
  window.show();
  return QApplication::exec();
}

#pragma once
// What a job reaches besides its port: the shared values and the seams to everything else
// outside the process. The job hands each phase only the parts it uses; the port is the command
// engine's alone.
#include <filesystem>

#include "console/text_box.h"
#include "console/window.h"
#include "core/job_values.h"
#include "platform/event_pump.h"
#include "platform/job_clock.h"
#include "platform/sleeper.h"
#include "platform/termination.h"

// `dir` is where the job files live (the current directory in a real run).
struct JobContext {
  JobValues& v;
  TextBox& term;
  Window& window;
  EventPump& events;
  JobClock& clock;
  Sleeper& sleeper;
  Termination& termination;
  std::filesystem::path dir;
};

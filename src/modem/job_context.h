#pragma once
// What a job reaches: the shared values and the seams to everything outside the process. It
// lives here, in the lowest layer that knows all its members; the job hands each phase only
// the parts it uses.
#include <filesystem>

#include "console/text_box.h"
#include "console/window.h"
#include "core/job_values.h"
#include "modem/serial_control.h"
#include "platform/event_pump.h"
#include "platform/job_clock.h"
#include "platform/sleeper.h"
#include "platform/termination.h"

// `dir` is where the job files live (the current directory in a real run).
struct JobContext {
  JobValues& v;
  SerialControl& serial;
  TextBox& term;
  Window& window;
  EventPump& events;
  JobClock& clock;
  Sleeper& sleeper;
  Termination& termination;
  std::filesystem::path dir;
};

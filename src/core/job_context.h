#pragma once
#include <filesystem>

#include "core/job_values.h"

// The seams; each layer that uses one includes its header.
class CommandSet;
class EventPump;
class JobClock;
class SerialControl;
class Sleeper;
class Termination;
class TextBox;
class Window;

// What a job's phases reach: the shared values and the seams to everything outside the
// process. `dir` is where the job files live (the current directory in a real run).
struct JobContext {
  JobValues& v;
  SerialControl& serial;
  TextBox& term;
  Window& window;
  EventPump& events;
  JobClock& clock;
  Sleeper& sleeper;
  Termination& termination;
  CommandSet& commands;  // the modem's command set
  std::filesystem::path dir;
};

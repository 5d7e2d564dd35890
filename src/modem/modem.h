#pragma once
// The modem as the phases speak to it: through the port's one owner, in the words of the job's
// command set, with the replies landing in the job-wide values.
#include "core/job_values.h"
#include "modem/command_engine.h"
#include "modem/command_set.h"

struct Modem {
  CommandEngine& engine;
  CommandSet& commands;
  JobValues& v;

  // What the engine's last read brought says about a call.
  CallReport LastReport() const { return commands.Classify(v.ReplyLine, engine.Event()); }
};

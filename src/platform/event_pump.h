#pragma once
#include <optional>

#include "core/job_time.h"

// The job yields to the window here while it waits for the modem. PumpEvents lets the window
// run the handlers of events already queued (layout, typed keys, close, File > Exit) and
// returns at once. A wait loop that found nothing to do calls WaitForActivity, which sleeps in
// the kernel until serial data moves, a window event arrives or the job clock reaches `until`,
// and then handles what woke it. Nothing here ever spins.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void PumpEvents() = 0;
  virtual void WaitForActivity(std::optional<JobTime> until) = 0;
};

#pragma once
#include "core/job_time.h"

// The job clock: the local time of day, which keeps counting past the next midnight instead
// of wrapping. Time-outs compare its whole seconds through a Deadline.
class JobClock {
 public:
  virtual ~JobClock() = default;
  virtual JobTime Now() = 0;
};

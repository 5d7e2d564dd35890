#pragma once
#include <chrono>

#include "platform/job_clock.h"

// The local time of day now, from midnight: the system's own call (posix/, win32/).
JobTime LocalTimeOfDay();

// Reads the local time of day once, at construction, and advances it with the steady clock,
// so a clock adjustment during a job can neither fire nor stall a time-out.
class SteadyJobClock : public JobClock {
 public:
  SteadyJobClock() : start_of_day_(LocalTimeOfDay()), start_(std::chrono::steady_clock::now()) {}
  JobTime Now() override {
    return start_of_day_ +
           std::chrono::duration_cast<JobTime>(std::chrono::steady_clock::now() - start_);
  }

 private:
  JobTime start_of_day_;
  std::chrono::steady_clock::time_point start_;
};

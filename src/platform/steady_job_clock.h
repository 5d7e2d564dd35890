#pragma once
#include <chrono>

#include "platform/job_clock.h"

// Reads the local time of day once, at construction, and advances it with the steady clock,
// so a clock adjustment during a job can neither fire nor stall a time-out.
class SteadyJobClock : public JobClock {
 public:
  SteadyJobClock();
  JobTime Now() override;

 private:
  JobTime start_of_day_;
  std::chrono::steady_clock::time_point start_;
};

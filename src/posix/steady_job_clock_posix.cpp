#include <sys/time.h>
#include <time.h>

#include "platform/steady_job_clock.h"

namespace {
// The local time of day now, from midnight.
JobTime TimeOfDay() {
  timeval now{};
  ::gettimeofday(&now, nullptr);
  tm local{};
  ::localtime_r(&now.tv_sec, &local);
  return std::chrono::hours(local.tm_hour) + std::chrono::minutes(local.tm_min) +
         std::chrono::seconds(local.tm_sec) +
         std::chrono::duration_cast<JobTime>(std::chrono::microseconds(now.tv_usec));
}
}  // namespace

SteadyJobClock::SteadyJobClock()
    : start_of_day_(TimeOfDay()), start_(std::chrono::steady_clock::now()) {}

JobTime SteadyJobClock::Now() {
  return start_of_day_ +
         std::chrono::duration_cast<JobTime>(std::chrono::steady_clock::now() - start_);
}

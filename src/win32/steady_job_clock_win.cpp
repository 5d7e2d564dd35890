#include <windows.h>

#include "platform/steady_job_clock.h"

namespace {
// The local time of day now, from midnight.
JobTime TimeOfDay() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return std::chrono::hours(local.wHour) + std::chrono::minutes(local.wMinute) +
         std::chrono::seconds(local.wSecond) + std::chrono::milliseconds(local.wMilliseconds);
}
}  // namespace

SteadyJobClock::SteadyJobClock()
    : start_of_day_(TimeOfDay()), start_(std::chrono::steady_clock::now()) {}

JobTime SteadyJobClock::Now() {
  return start_of_day_ +
         std::chrono::duration_cast<JobTime>(std::chrono::steady_clock::now() - start_);
}

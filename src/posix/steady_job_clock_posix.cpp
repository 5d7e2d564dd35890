#include <sys/time.h>
#include <time.h>

#include "platform/steady_job_clock.h"

JobTime LocalTimeOfDay() {
  timeval now{};
  ::gettimeofday(&now, nullptr);
  tm local{};
  ::localtime_r(&now.tv_sec, &local);
  return std::chrono::hours(local.tm_hour) + std::chrono::minutes(local.tm_min) +
         std::chrono::seconds(local.tm_sec) +
         std::chrono::duration_cast<JobTime>(std::chrono::microseconds(now.tv_usec));
}

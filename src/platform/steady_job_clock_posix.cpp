#include <sys/time.h>
#include <time.h>

#include "platform/steady_job_clock.h"

SteadyJobClock::SteadyJobClock() : start_(std::chrono::steady_clock::now()) {
  timeval now{};
  ::gettimeofday(&now, nullptr);
  tm local{};
  ::localtime_r(&now.tv_sec, &local);
  start_of_day_ms_ =
      (local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec) * 1000LL + now.tv_usec / 1000;
}

std::int64_t SteadyJobClock::NowMs() {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  return start_of_day_ms_ + std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

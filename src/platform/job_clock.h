#pragma once
#include <cstdint>

// The job clock follows the local time of day in milliseconds since the midnight that began
// the job's day, and keeps counting past the next midnight instead of wrapping. Every
// time-out of a job compares whole seconds of it and fires when the count is strictly later
// than its deadline, so a wait of T seconds lasts more than T and at most T + 1 seconds.
class JobClock {
 public:
  virtual ~JobClock() = default;
  virtual std::int64_t NowMs() = 0;

  std::int64_t Seconds() { return NowMs() / 1000; }
};

// The first instant at which a whole-second deadline has passed (Seconds() > deadline).
constexpr std::int64_t PassedAtMs(std::int64_t deadline_seconds) {
  return (deadline_seconds + 1) * 1000;
}

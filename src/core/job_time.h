#pragma once
// Time on the job clock: the local time of day, counted from the midnight that began the
// job's day and running on past the next midnight instead of wrapping.
#include <chrono>
#include <compare>

using JobTime = std::chrono::milliseconds;

// A time-out in whole seconds of the job clock. It has passed only once the clock's whole
// seconds are strictly past it, so a wait of T seconds lasts more than T and at most T + 1
// seconds.
class Deadline {
 public:
  // `wait` whole seconds after the second that `now` falls in; a negative wait has passed
  // already.
  static Deadline After(JobTime now, std::chrono::seconds wait) {
    return Deadline(std::chrono::floor<std::chrono::seconds>(now) + wait);
  }

  bool Passed(JobTime now) const { return std::chrono::floor<std::chrono::seconds>(now) > at_; }
  // The first moment at which it has passed.
  JobTime PassesAt() const { return at_ + std::chrono::seconds(1); }
  // The earlier deadline passes first.
  friend auto operator<=>(const Deadline&, const Deadline&) = default;

 private:
  explicit Deadline(std::chrono::seconds at) : at_(at) {}
  std::chrono::seconds at_;
};

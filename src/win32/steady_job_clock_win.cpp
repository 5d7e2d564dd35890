#include <windows.h>

#include "platform/steady_job_clock.h"

JobTime LocalTimeOfDay() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return std::chrono::hours(local.wHour) + std::chrono::minutes(local.wMinute) +
         std::chrono::seconds(local.wSecond) + std::chrono::milliseconds(local.wMilliseconds);
}

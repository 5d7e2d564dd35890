#include "win32/win32_event_pump.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

TEST(WaitMillisecondsTest, SleepsUntilTheDeadlineAndNoLonger) {
  EXPECT_EQ(WaitMilliseconds(std::nullopt, milliseconds(5000)), INFINITE);
  EXPECT_EQ(WaitMilliseconds(milliseconds(5000), milliseconds(5000)), 0u);
  EXPECT_EQ(WaitMilliseconds(milliseconds(4000), milliseconds(5000)), 0u);
  EXPECT_EQ(WaitMilliseconds(milliseconds(6500), milliseconds(5000)), 1500u);
  // Beyond 49 days a deadline still ends the wait, which INFINITE would not.
  EXPECT_EQ(WaitMilliseconds(hours(24 * 60), milliseconds(0)), INFINITE - 1);
}

struct StoppedClock : JobClock {
  JobTime Now() override { return JobTime::zero(); }
};

// Each wait below would sleep for an hour if what should end it did not.
TEST(Win32EventPumpTest, AWaitEndsForASetEventOrAQuitAndRunsItsHandler) {
  StoppedClock clock;
  Win32EventPump pump(clock);
  const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  int signalled = 0;
  int quits = 0;
  pump.Watch(event, [&] {
    ++signalled;
    ResetEvent(event);
  });
  pump.OnQuit([&] { ++quits; });
  SetEvent(event);
  pump.WaitForActivity(hours(1));
  PostQuitMessage(0);
  pump.WaitForActivity(hours(1));
  EXPECT_EQ(signalled, 1);
  EXPECT_EQ(quits, 1);
  CloseHandle(event);
}

}  // namespace

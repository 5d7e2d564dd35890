#include "virtual_world.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr JobTime kStart = 10h;

class VirtualWorldTest : public testing::Test {
 protected:
  explicit VirtualWorldTest(std::string_view scenario = "echo off\non \"ATD*\": wait 2500 \"BUSY\"")
      : w(scenario) {
    w.serial.SetCommPort(1);
    w.serial.SetPortOpen(true);
  }
  VirtualWorld w;
};

TEST(VirtualWorld, WaitJumpsToTheEarliestOfModemDeadlineAndWindowEvent) {
  struct Case {
    std::optional<JobTime> until;
    std::optional<JobTime> event;
    JobTime woke;
  };
  for (const Case& c :
       {Case{.until = std::nullopt, .event = std::nullopt, .woke = kStart + 2500ms},
        Case{.until = kStart + 1000ms, .event = std::nullopt, .woke = kStart + 1000ms},
        Case{.until = kStart + 1000ms, .event = kStart + 400ms, .woke = kStart + 400ms},
        Case{.until = std::nullopt, .event = kStart + 4000ms, .woke = kStart + 2500ms}}) {
    VirtualWorld world("echo off\non \"ATD*\": wait 2500 \"BUSY\"");
    world.serial.SetCommPort(1);
    world.serial.SetPortOpen(true);
    world.serial.Output("ATD1\r");
    if (c.event) world.At(*c.event, [] {});
    world.ctx.events.WaitForActivity(c.until);
    EXPECT_EQ(world.clock.Now(), c.woke);
  }
}

TEST_F(VirtualWorldTest, UnreadInputDoesNotHoldTheClock) {
  w.serial.Output("ATD1\r");
  w.clock.AdvanceTo(kStart + 3000ms);
  ASSERT_GT(w.serial.InBufferCount(), 0);
  w.ctx.events.WaitForActivity(kStart + 3500ms);
  EXPECT_EQ(w.clock.Now(), kStart + 3500ms);
  EXPECT_EQ(w.serial.Input(), "\r\nBUSY\r\n");
}

TEST_F(VirtualWorldTest, AWaitThatCannotEndFailsInsteadOfHanging) {
  EXPECT_THROW(w.ctx.events.WaitForActivity(std::nullopt), std::logic_error);
}

TEST_F(VirtualWorldTest, WindowEventsRunInTimeOrderAtTheFirstYieldAfterTheirTime) {
  std::vector<std::string> ran;
  w.At(kStart + 200ms, [&] { ran.push_back("b"); });
  w.At(kStart + 100ms, [&] {
    ran.push_back("a");
    w.At(kStart + 100ms, [&] { ran.push_back("queued by a"); });
  });
  w.ctx.sleeper.Sleep(150ms);
  EXPECT_TRUE(ran.empty());  // a pause serves no events
  w.ctx.events.PumpEvents();
  EXPECT_EQ(ran, (std::vector<std::string>{"a", "queued by a"}));
  w.ctx.events.WaitForActivity(std::nullopt);
  EXPECT_EQ(ran.back(), "b");
  EXPECT_EQ(w.clock.Now(), kStart + 200ms);
}

TEST_F(VirtualWorldTest, RunToEndReturnsTheTerminationTime) {
  w.At(kStart + 5000ms, [&] { w.ctx.termination.Terminate(); });
  const JobTime end = w.RunToEnd([&] {
    w.ctx.sleeper.Sleep(1000ms);
    for (;;) w.ctx.events.WaitForActivity(std::nullopt);
  });
  EXPECT_EQ(end, kStart + 5000ms);
}

TEST_F(VirtualWorldTest, AJobThatReturnsFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(w.RunToEnd([] {}), "returned without terminating");
}

TEST(VirtualWorld, KeepsTheJobFilesInItsOwnDirectoryAndRemovesIt) {
  std::filesystem::path dir;
  {
    VirtualWorld w;
    dir = w.Dir();
    EXPECT_EQ(w.ctx.dir, dir);
    EXPECT_FALSE(w.Exists("talvin_3"));
    EXPECT_EQ(w.ReadFile("talvin_3"), "");
    w.WriteFile("talvin_3", std::string("a\0\x10\x03", 4));
    EXPECT_TRUE(w.Exists("talvin_3"));
    EXPECT_EQ(w.ReadFile("talvin_3"), std::string("a\0\x10\x03", 4));
    EXPECT_NE(VirtualWorld().Dir(), dir);
  }
  EXPECT_FALSE(std::filesystem::exists(dir));
}

}  // namespace

#include "vmodem/chaos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vmodem/engine.h"

namespace vmodem {
namespace {

using namespace std::chrono_literals;

const std::vector<Action> kAnswer = {{Action::Kind::kReply, "VMODEM"},
                                     {Action::Kind::kReply, "OK"},
                                     {Action::Kind::kVoiceRx, "\x80\x10\x10\x81\x82\x10s"}};

ChaosPlan Plan(std::uint64_t seed, double rate, std::int64_t index = 1) {
  return PlanChaos({.seed = seed, .rate = rate}, {ChaosEvent::Kind::kCommand, index}, kAnswer);
}

TEST(Chaos, SameSeedAndEventGiveTheSameFaults) {
  for (std::uint64_t seed = 0; seed < 200; ++seed) EXPECT_EQ(Plan(seed, 0.5), Plan(seed, 0.5));
}

TEST(Chaos, RateZeroLeavesTheScenarioAlone) {
  const ChaosPlan plan = Plan(7, 0);
  EXPECT_EQ(plan.actions, kAnswer);
  EXPECT_TRUE(plan.notes.empty());
}

TEST(Chaos, RateOneDisturbsEveryReplyStreamAndCommand) {
  for (std::uint64_t seed = 0; seed < 200; ++seed) {
    const ChaosPlan plan = Plan(seed, 1);
    ASSERT_EQ(plan.notes.size(), 4u) << seed;
    // A cut stream still ends with the modem's end report, and no DLE lacks its partner.
    for (const Action& a : plan.actions) {
      if (a.kind != Action::Kind::kVoiceRx) continue;
      bool open = false;  // the byte before the last one opens a DLE pair
      for (std::size_t i = 0; i + 1 < a.text.size(); ++i) open = !open && a.text[i] == '\x10';
      EXPECT_TRUE(open && a.text.back() == 's') << seed;
    }
  }
}

// A seed's faults are part of its replay: they must not change with the platform or a rewrite.
TEST(Chaos, SeedsKeepTheirFaults) {
  EXPECT_EQ(Plan(1, 0.5).notes,
            (std::vector<std::string>{"chaos stray RING at reply VMODEM",
                                      "chaos stray MODEM 0 at reply OK",
                                      "chaos voice stream cut after 3 of 5 bytes"}));
  EXPECT_NE(Plan(1, 0.5, 1), Plan(1, 0.5, 2));
  EXPECT_NE(Plan(1, 0.5), Plan(2, 0.5));
}

// However the host's bytes are split into reads, the modem makes the same faults.
TEST(Chaos, FaultsFollowTheDialogueNotTheTiming) {
  const Scenario scenario = ParseScenario("on \"ATI3\": \"VMODEM\" \"OK\"", ".");
  const std::string commands = "ATZ\rATI3\rAT&F\rATI3\rAT\rATL3\rATI3\rATH\r";
  for (std::uint64_t seed = 0; seed < 50; ++seed) {
    Engine whole(scenario, ChaosSettings{.seed = seed, .rate = 0.3});
    Engine split(scenario, ChaosSettings{.seed = seed, .rate = 0.3});
    whole.Receive(commands, 0ms);
    for (const char c : commands) split.Receive(std::string(1, c), 0ms);
    EXPECT_EQ(whole.TakeOutput(60'000ms), split.TakeOutput(60'000ms)) << seed;
  }
}

}  // namespace
}  // namespace vmodem

#include "modem/command_engine.h"

#include <gtest/gtest.h>

#include "modem/incoming_call.h"
#include "modem/v253_command_set.h"
#include "virtual_world.h"

namespace {

using namespace std::chrono_literals;
// The modem sends `reply` (scenario bytes) in answer to "ATX", with its echo off.
std::string Scenario(std::string_view reply) {
  return "echo off\non \"ATX\": " + std::string(reply) + "\n";
}

struct LineCase {
  const char* reply;
  std::vector<std::string> lines;  // "!" + text: a read that timed out with that text
};

class ReadReplyTest : public testing::TestWithParam<LineCase> {};

TEST_P(ReadReplyTest, SplitsLinesAtLf) {
  VirtualWorld w(Scenario(GetParam().reply));
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  CommandEngine& engine = w.engine;
  engine.Send("ATX");
  for (const std::string& expected : GetParam().lines) {
    engine.ReadReply();
    const bool timed_out = expected.starts_with('!');
    EXPECT_EQ(w.values.TimedOut, timed_out ? 1 : 0);
    EXPECT_EQ(w.values.ReplyLine, timed_out ? expected.substr(1) : expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadReplyTest,
    testing::Values(LineCase{.reply = R"(bytes "OK\r\n")", .lines = {"OK", "!"}},
                    LineCase{.reply = R"(bytes "\r\nOK\r\n")", .lines = {"OK"}},
                    LineCase{.reply = R"(bytes "O\x00K\r\n")", .lines = {"OK"}},
                    LineCase{.reply = R"(bytes "OK\n")", .lines = {"OK"}},
                    LineCase{.reply = R"(bytes "\n\n\r\n\x00\nOK\n")", .lines = {"OK"}},
                    LineCase{.reply = R"(bytes "O\rK\r\n")", .lines = {"OK"}},
                    LineCase{.reply = R"(bytes "OK\r")", .lines = {"!OK"}},
                    LineCase{.reply = R"("ATX" "RINGING" "VCON")",
                             .lines = {"ATX", "RINGING", "VCON", "!"}},
                    LineCase{.reply = R"(bytes "A\r\nB")", .lines = {"A", "!B"}}));

class SilenceTest : public testing::TestWithParam<JobTime> {};

TEST_P(SilenceTest, TimesOutAfterMoreThanTheTimeOutAndAtMostOneSecondMore) {
  VirtualWorld w(Scenario(""), GetParam());
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  CommandEngine& engine = w.engine;
  engine.Send("ATX");
  const JobTime start = w.clock.Now();
  engine.ReadReply();
  EXPECT_EQ(w.values.TimedOut, 1);
  EXPECT_GT(w.clock.Now() - start, 15000ms);
  EXPECT_LE(w.clock.Now() - start, 16000ms);
}

// 10:00:00.000, 10:00:00.999, and 23:59:55 (the wait spans midnight).
INSTANTIATE_TEST_SUITE_P(StartTimes, SilenceTest,
                         testing::Values(36000000ms, 36000999ms, 86395000ms));

TEST(CommandEngineTest, TheTimeOutMeasuresSilenceNotTheReply) {
  VirtualWorld w(Scenario(R"(wait 10000 bytes "O" wait 10000 bytes "K" wait 10000 bytes "\n")"));
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  CommandEngine& engine = w.engine;
  engine.Send("ATX");
  engine.ReadReply();
  EXPECT_EQ(w.values.TimedOut, 0);
  EXPECT_EQ(w.values.ReplyLine, "OK");
}

struct WaitCase {
  const char* reply;
  int timed_out;
  const char* last_line;
};

class WaitOkTest : public testing::TestWithParam<WaitCase> {};

TEST_P(WaitOkTest, SkipsLinesUntilOkOrTimeOut) {
  VirtualWorld w(std::string("on \"ATX\": ") + GetParam().reply + "\n");
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  CommandEngine& engine = w.engine;
  engine.Send("ATX");
  engine.WaitOk();
  EXPECT_EQ(w.values.TimedOut, GetParam().timed_out);
  EXPECT_EQ(w.values.ReplyLine, GetParam().last_line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WaitOkTest,
    testing::Values(WaitCase{.reply = R"("OK")", .timed_out = 0, .last_line = "OK"},
                    WaitCase{.reply = R"("INFO" "OK")", .timed_out = 0, .last_line = "OK"},
                    WaitCase{.reply = R"("ERROR")", .timed_out = 1, .last_line = ""},
                    WaitCase{.reply = R"("OK " "OKAY")", .timed_out = 1, .last_line = ""}));

TEST(CommandEngineTest, WaitConnect) {
  VirtualWorld w("on \"ATX\": \"OK\" \"CONNECT\"\n");
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  w.engine.Send("ATX");
  w.engine.WaitConnect();
  EXPECT_EQ(w.values.ReplyLine, "CONNECT");
}

struct RingCase {
  const char* name;
  bool v253;
  const char* ring;  // the scenario's actions that report the ring
};

class WaitRingTest : public testing::TestWithParam<RingCase> {};

TEST_P(WaitRingTest, WaitsThroughTimeOutsForTheRing) {
  const RingCase& c = GetParam();
  VirtualWorld w(
      "on \"ATY\": wait 40000 \"RINGING\" key b wait 30000 " + std::string(c.ring) + "\n", 10h,
      c.v253 ? std::make_unique<V253CommandSet>(VoiceCoding{"u8", 8000}) : nullptr);
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  const JobTime start = w.clock.Now();
  w.engine.Send("ATY");
  WaitRing(w.modem);
  EXPECT_EQ(w.clock.Now() - start, 70000ms);
}

INSTANTIATE_TEST_SUITE_P(Table, WaitRingTest,
                         testing::Values(RingCase{"HashLine", false, R"("RING")"},
                                         RingCase{"V253Line", true, R"("RING")"},
                                         RingCase{"V253Event", true, "key R"}),
                         [](const testing::TestParamInfo<RingCase>& info) {
                           return info.param.name;
                         });

TEST(CommandEngineTest, EchoFlagPrintsEveryReceivedByte) {
  VirtualWorld w(Scenario(R"(bytes "O\x00K\r\n")"));
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  w.values.EchoFlag = 1;
  CommandEngine& engine = w.engine;
  engine.Send("ATX");
  engine.ReadReply();
  EXPECT_EQ(w.console.Text(), "OK\r\n");
  EXPECT_EQ(w.serial.Writes(), std::vector<std::string>{"ATX\r"});
}
}  // namespace

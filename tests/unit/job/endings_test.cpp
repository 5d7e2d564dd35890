#include <gtest/gtest.h>

#include "job/job_endings.h"
#include "virtual_world.h"

namespace {

using namespace std::chrono_literals;

constexpr std::string_view kEndLine = "****  End of TAL_VO  ****  \r\n";

std::vector<std::string> Commands(VirtualWorld& w) {
  std::vector<std::string> commands;
  for (const auto& entry : w.serial.Modem().Log()) {
    if (entry.text.starts_with("command ")) commands.push_back(entry.text.substr(8));
  }
  return commands;
}

JobTime CommandTime(VirtualWorld& w, std::string_view command) {
  for (const auto& entry : w.serial.Modem().Log()) {
    if (entry.text == "command " + std::string(command)) return entry.at;
  }
  ADD_FAILURE() << "the modem never received " << command;
  return JobTime(-1);
}

class EndingsTest : public testing::Test {
 protected:
  explicit EndingsTest(std::string_view scenario = "") : w(scenario) {
    w.values.JobId = "3";
    w.serial.SetCommPort(3);
    w.serial.SetPortOpen(true);
  }
  VirtualWorld w;
  CommandEngine& engine = w.engine;
  JobEndings& endings = w.endings;
};

TEST_F(EndingsTest, BusyNumberLeavesMarkerCompletionAndTrace) {
  const JobTime start = w.clock.Now();
  const JobTime end = w.RunToEnd([&] {
    endings.WriteOutcomeMarker("B", "****  Error phone number  5551234 is busy  ****");
    endings.EndSequence();
  });
  EXPECT_EQ(w.ReadFile("talvin_3"), "$B$\r\n");
  EXPECT_TRUE(w.Exists("talvin2_3"));
  EXPECT_EQ(w.ReadFile("talvin2_3"), "");
  const std::string trace = w.ReadFile("trace_3");
  EXPECT_EQ(trace, w.console.Text());
  EXPECT_TRUE(trace.ends_with(kEndLine)) << trace;
  EXPECT_NE(trace.find("5551234 is busy  ****\r\n"), std::string::npos);
  EXPECT_EQ(Commands(w), (std::vector<std::string>{"AT #CLS=0", "ATH0"}));
  EXPECT_GE(end - start, 3000ms);
  EXPECT_LT(end - start, 4000ms);
}

TEST_F(EndingsTest, EndSequencePausesWithThePortClosedBeforeTheResetCommands) {
  w.RunToEnd([&] { endings.EndSequence(); });
  const auto& history = w.serial.History();
  ASSERT_GE(history.size(), 3u);
  EXPECT_GE(CommandTime(w, "AT #CLS=0") - history[history.size() - 2].at, 3000ms);
  EXPECT_FALSE(w.Exists("talvin_3"));
}

class SilentResetTest : public EndingsTest {
 protected:
  SilentResetTest() : EndingsTest("on \"AT #CLS=0\":\n") {}
};

TEST_F(SilentResetTest, SilenceCostsOneTimeOutAndHangsUpWithoutWaiting) {
  const JobTime start = w.clock.Now();
  const JobTime end = w.RunToEnd([&] { endings.EndSequence(); });
  EXPECT_EQ(Commands(w), (std::vector<std::string>{"AT #CLS=0", "ATH0"}));
  // 3 s pause, then more than 5 and at most 6 s of silence; ATH0 is not waited for.
  EXPECT_GT(end - start, 8000ms);
  EXPECT_LE(end - start, 9000ms);
  EXPECT_EQ(CommandTime(w, "ATH0"), end);
}

class SilentHangUpTest : public EndingsTest {
 protected:
  SilentHangUpTest() : EndingsTest("on \"ATH0\":\n") {}
};

TEST_F(SilentHangUpTest, ASilentHangUpCostsOneTimeOut) {
  const JobTime start = w.clock.Now();
  const JobTime end = w.RunToEnd([&] { endings.EndSequence(); });
  EXPECT_GT(end - start, 8000ms);
  EXPECT_LE(end - start, 9100ms);
}

TEST_F(EndingsTest, KeepsAnEarlierCompletionMarkerAndReplacesAnOlderTrace) {
  w.WriteFile("talvin2_3", "left by an earlier job");
  w.WriteFile("trace_3", std::string(50000, 'x'));
  w.RunToEnd([&] { endings.EndSequence(); });
  EXPECT_EQ(w.ReadFile("talvin2_3"), "left by an earlier job");
  EXPECT_EQ(w.ReadFile("trace_3"), w.console.Text());
}

TEST_F(EndingsTest, NoResponseEndingWritesD) {
  w.RunToEnd([&] { endings.NoResponseEnding(); });
  EXPECT_EQ(w.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_NE(w.console.Text().find("****  No Response from the modem  ****\r\n"), std::string::npos);
}

TEST_F(EndingsTest, BusyEndingSendsNothingToTheModem) {
  w.serial.SetPortOpen(false);
  w.RunToEnd([&] { endings.BusyEnding(); });
  EXPECT_EQ(w.ReadFile("talvin_3"), "$F$\r\n");
  EXPECT_EQ(w.ReadFile("talvin2_3"), "");
  EXPECT_TRUE(w.ReadFile("trace_3").ends_with(kEndLine));
  EXPECT_EQ(w.serial.Modem().Transcript(), "");
  EXPECT_EQ(w.console.Text().substr(0, 33), "****  Error modem is busy  ****\r\n");
}

class WaitingForKeysTest : public EndingsTest {
 protected:
  WaitingForKeysTest() : EndingsTest("on \"ATX\":\n") {}
};

TEST_F(WaitingForKeysTest, WindowShutdownDuringAWaitEndsTheJobFromInsideIt) {
  w.At(w.clock.Now() + 4000ms, [&] { endings.WindowShutdown(); });
  const JobTime start = w.clock.Now();
  const JobTime end = w.RunToEnd([&] {
    engine.Send("ATX");
    engine.WaitOk();
    ADD_FAILURE() << "the wait went on after the window closed";
  });
  EXPECT_GE(end - start, 7000ms);
  EXPECT_FALSE(w.Exists("talvin_3"));
  EXPECT_EQ(w.ReadFile("talvin2_3"), "");
  EXPECT_TRUE(w.ReadFile("trace_3").ends_with(kEndLine));
  const std::string transcript = w.serial.Modem().Transcript();
  const auto dle_etx = transcript.find("\x10\x03");
  ASSERT_NE(dle_etx, std::string::npos);
  EXPECT_TRUE(
      transcript.substr(dle_etx).ends_with("\x10\x03"
                                           "AT #CLS=0 H0\r"))
      << transcript;
}
}  // namespace

// The job's endings, with the real talvo against vmodem; the modem set-up's branches are the
// unit tests' (tests/unit/modem/modem_setup_test.cpp).
#include <gtest/gtest.h>
#include <signal.h>

#include "support/e2e_job.h"
#include "support/scenarios.h"

namespace {

using namespace std::chrono_literals;

TEST(NoResponseTest, ASilentModemEndsWithDAfterFifteenToSixteenSeconds) {
  E2eJob job(kSilentModem);
  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$D$\r\n");
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find("****  No Response from the modem  ****\r\n"), std::string::npos);
  EXPECT_TRUE(trace.ends_with(kEndLine));
  const auto log = job.Log();
  EXPECT_EQ(log.Commands(), (std::vector<std::string>{"ATZ", "AT #CLS=0", "ATH0"}));
  // Silence after ATZ (15-16 s), then the 3 s pause before the reset command.
  const std::chrono::milliseconds gap = log.CommandTime("AT #CLS=0") - log.CommandTime("ATZ");
  EXPECT_GT(gap, 18000ms);
  EXPECT_LT(gap, 19600ms);
  // The reset goes unanswered too: ATH0 follows after 5-6 s, without a wait.
  const std::chrono::milliseconds hang_up = log.CommandTime("ATH0") - log.CommandTime("AT #CLS=0");
  EXPECT_GT(hang_up, 5000ms);
  EXPECT_LT(hang_up, 6600ms);
}

TEST(EndSequenceE2eTest, ResetsAndHangsUpAfterThePause) {
  E2eJob job(kQuickEndModem);
  EXPECT_EQ(job.RunTalvo({"000N03SPEAKER"}).exit_code, 0);
  const auto log = job.Log();
  const auto commands = log.Commands();
  ASSERT_GE(commands.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(commands.end() - 3, commands.end()),
            (std::vector<std::string>{"AT #VLS=2", "AT #CLS=0", "ATH0"}));
  const std::chrono::milliseconds pause =
      log.CommandTime("AT #CLS=0") - log.CommandTime("AT #VLS=2");
  EXPECT_GE(pause, 3000ms);
  EXPECT_LT(pause, 4000ms);
  EXPECT_EQ(job.ReadFile("talvin2_3"), "");
  EXPECT_TRUE(job.ReadFile("trace_3").ends_with(kEndLine));
}

struct StopCase {
  const char* name;
  int signo;
};

class WindowShutdownE2eTest : public testing::TestWithParam<StopCase> {};

// Under Wine, SIGINT is the console's Ctrl+C event.
TEST_P(WindowShutdownE2eTest, AStopWhileWaitingHangsUpAndFinishesTheJobFiles) {
  E2eJob job("on \"ATI3\": \"VMODEM\" \"OK\"\non \"AT #VLS=2\":\n");
  job.WriteFile("params_3", "60\n");
  job.StartTalvo({"000N03SPEAKER"});
  // The speaker's command goes unanswered: the job waits for its reply from then on.
  ASSERT_TRUE(job.AwaitCommand("AT #VLS=2", std::chrono::seconds(30)));
  job.Signal(GetParam().signo);
  const TalvoRun run = job.Wait();
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_FALSE(job.Exists("talvin_3"));
  EXPECT_EQ(job.ReadFile("talvin2_3"), "");
  EXPECT_TRUE(job.ReadFile("trace_3").ends_with(kEndLine));
  const std::string transcript = job.Transcript();
  const auto dle_etx = transcript.rfind("\x10\x03");
  ASSERT_NE(dle_etx, std::string::npos) << transcript;
  EXPECT_EQ(transcript.substr(dle_etx), std::string("\x10\x03") + "AT #CLS=0 H0\r");
}

INSTANTIATE_TEST_SUITE_P(Stops, WindowShutdownE2eTest,
                         testing::Values(StopCase{"PosixSigterm", SIGTERM},
                                         StopCase{"Interrupt", SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });
}  // namespace

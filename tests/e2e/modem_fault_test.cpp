// A modem that misbehaves, with the real talvo against vmodem. One that goes away mid-job:
// whatever talvo was waiting for, it ends at once with "$D$", without a modem command and
// without spinning. One that floods the line with noise: the job goes on, with bounded memory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "support/e2e_job.h"
#include "support/scenarios.h"

namespace {

using namespace std::chrono_literals;

const std::string kModem =
    "baud 38400\n"
    "on \"ATI3\": \"VMODEM\" \"OK\"\n"
    "on \"AT #VLS=2\": \"VCON\"\n"
    "on \"AT #VSP=*\": \"OK\" wait 300 \"RING\"\n"
    "on \"ATA\": \"VCON\"\n"
    "on \"AT #VTX\": \"CONNECT\" voice-tx\n";

struct LostCase {
  const char* name;
  const char* command_line;
  std::string vanish;  // the rule that ends the line, ahead of the others
  bool needs_root = false;
};

class LostModemE2eTest : public testing::TestWithParam<LostCase> {};

TEST_P(LostModemE2eTest, EndsWithDWithinTwoSecondsOfTheLoss) {
  const LostCase& c = GetParam();
  if (c.needs_root && geteuid() != 0) GTEST_SKIP() << "hanging up a terminal needs root";
  E2eJob job(c.vanish + kModem);
  job.WriteFile("talvin_3", std::string(8000, 'm') + "\x10\x03");
  const TalvoRun run = job.RunTalvo({c.command_line});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_EQ(job.ReadFile("talvin2_3"), "");
  EXPECT_TRUE(job.ReadFile("trace_3").ends_with("****  Error modem is lost  ****\r\n" +
                                                std::string(kEndLine)));
  const auto log = job.Log();
  const std::chrono::milliseconds gone = std::max(log.EventTime("vanish"), log.EventTime("hangup"));
  ASSERT_GE(gone, 0ms);
  // talvo started before the modem's first command: it ended at most this long after the loss.
  const std::chrono::milliseconds after_loss =
      log.CommandTime("ATZ") +
      std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::duration<double>(run.seconds)) -
      gone;
  EXPECT_LT(after_loss, 2000ms);
  // The whole job costs about 0.13 s of CPU under the sanitizers; a wait spinning on the dead
  // port would add about a second for every second it spun. The margin is for slower machines.
  EXPECT_LT(run.cpu_seconds, 0.5) << "a wait spun on the dead port";
}

INSTANTIATE_TEST_SUITE_P(
    Phases, LostModemE2eTest,
    testing::Values(
        LostCase{.name = "HangUpDuringSetUp",
                 .command_line = "000N03SPEAKER",
                 .vanish = "on \"AT E1*\": hangup\n",
                 .needs_root = true},
        LostCase{.name = "VanishDuringVoiceTransmit",
                 .command_line = "000N03SPEAKER",
                 .vanish = "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-bytes 4000 vanish\n"},
        LostCase{
            .name = "VanishDuringReception",
            .command_line = "000N03",
            .vanish = "on \"AT #VRX\": \"CONNECT\" voice-rx \"voice data\" wait 1000 vanish\n"}),
    [](const auto& info) { return info.param.name; });

TEST(FloodE2eTest, LineNoiseKeepsTheFirst4096BytesOfTheLineAndTheJobGoesOn) {
  E2eJob job("on \"ATI3\": \"\" flood 200000 \"OK\"\non \"AT #VLS=2\": \"BUSY\"\n");
  const TalvoRun run = job.RunTalvo({"000N03SPEAKER"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$B$\r\n");
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>('!' + i % 94);
  EXPECT_NE(job.ReadFile("trace_3").find("****  The Modem model is " + noise + " ****\r\n"),
            std::string::npos);
}
}  // namespace

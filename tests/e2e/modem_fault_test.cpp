// A modem that misbehaves, with the real talvo against vmodem. One that goes away mid-job:
// whatever talvo was waiting for, it ends at once with "$D$", without a modem command and
// without spinning. One that locks up with the port open: talvo gives the stalled output its
// time and then ends with "$D$", asleep meanwhile. One that floods the line with noise: the
// job goes on, with bounded memory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
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

// The user and system time a running process has used so far.
double CpuSeconds(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat{std::istreambuf_iterator<char>(file), {}};
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));  // from the third field, the state
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  double user = 0, system = 0;
  fields >> user >> system;
  return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

TEST(LockUpE2eTest, EndsWithDOnceTheStalledOutputHadItsTimeAndSleepsMeanwhile) {
  E2eJob job("on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-bytes 20000 lock-up\n" + kModem);
  constexpr std::size_t kMessage = 190'000;
  job.WriteFile("talvin_3", std::string(kMessage - 2, 'm') + "\x10\x03");
  job.StartTalvo({"010N03SPEAKER"});  // modem type 1: the port runs at the line's 38400 bit/s
  ASSERT_TRUE(job.AwaitEvent("lock-up", 60s));
  const double cpu_at_lock_up = CpuSeconds(job.TalvoPid());
  const auto locked_up = std::chrono::steady_clock::now();
  const TalvoRun run = job.Wait(90s);
  const double stalled =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - locked_up).count();

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_TRUE(job.Exists("talvin2_3"));
  // The reply time-out, the line time of what talvo had queued (at most the message's bytes
  // the modem never took, 10 bits a byte), and 5 s.
  EXPECT_LT(stalled, 15 + (kMessage - 20'000) / 3840.0 + 5);
  EXPECT_LE((run.cpu_seconds - cpu_at_lock_up) / stalled, 0.01)
      << "a wait spun on the stalled port";
}

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

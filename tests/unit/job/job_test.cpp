#include "job/job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "virtual_world.h"

namespace {
// A modem that answers nothing: every job that reaches it ends with "$D$".
constexpr std::string_view kSilentModem = "on \"*\":\n";

std::string RunSilentJob(VirtualWorld& w, const std::string& command_line) {
  Job job(w.ctx, w.serial, command_line, &w.modem.commands);
  w.RunToEnd([&] { job.Run(); });
  return w.console.Text();
}

TEST(JobStartupTest, PrintsTheSevenStartupLinesWithTheVersionLine) {
  VirtualWorld w(kSilentModem);
  w.WriteFile("ver", "\r\nTest OS [Version 1.2]\r\n");
  const std::string console = RunSilentJob(w, "000N03");
  EXPECT_TRUE(console.starts_with(
      "---  TALVO  V:3 UPDATE=020103 For Test OS [Version 1.2] and ZR6 Run Time ---\r\n"
      "\r\n"
      "LGR_ECR_VOICE=2048\r\n"
      "LGR_BUF_VOICE=190000\r\n"
      "MSComm1.InBufferSize=32000\r\n"
      "MSComm1.OutBufferSize=32000\r\n"
      "\r\n"
      "****  "))
      << console;
}

struct VersionCase {
  const char* name;
  std::optional<std::string> ver = std::nullopt;  // nullopt: no file
  std::string shown;                              // what the banner shows of it
};

class VersionLineTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionLineTest, ShowsTheSecondLineOrTheOnlyOneOrNothing) {
  VirtualWorld w(kSilentModem);
  if (GetParam().ver) w.WriteFile("ver", *GetParam().ver);
  const std::string console = RunSilentJob(w, "000N03");
  EXPECT_TRUE(console.starts_with("---  TALVO  V:3 UPDATE=020103 For " + GetParam().shown +
                                  " and ZR6 Run Time ---\r\n"))
      << console.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VersionLineTest,
    testing::Values(VersionCase{.name = "OnlyLine", .ver = "Only line\n", .shown = "Only line"},
                    VersionCase{.name = "Missing", .ver = std::nullopt, .shown = ""},
                    VersionCase{.name = "LongFirstLine",
                                .ver = std::string(1 << 15, 'x') + "\r\nTest OS\r\n",
                                .shown = "Test OS"},
                    // Only the file's head is read: the line after it is never seen.
                    VersionCase{.name = "LineBeyondTheHead",
                                .ver = std::string(70'000, 'x') + "\r\nTest OS\r\n",
                                .shown = std::string(4096, 'x')},
                    VersionCase{.name = "LongVersionLineCut",
                                .ver = "\r\n" + std::string(1 << 20, 'v') + "\r\n",
                                .shown = std::string(4096, 'v')}),
    [](const testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

struct PortCase {
  const char* command_line;
  const char* settings_line;
};

class PortPhaseTest : public testing::TestWithParam<PortCase> {};

TEST_P(PortPhaseTest, OpensTheJobsPortAndSetsItsSpeed) {
  VirtualWorld w(kSilentModem);
  const std::string console = RunSilentJob(w, GetParam().command_line);
  EXPECT_NE(console.find("\r\n\r\n****  Device COM4 is opened  ****\r\n" +
                         std::string(GetParam().settings_line) + "\r\n"),
            std::string::npos)
      << console;
  EXPECT_EQ(w.ReadFile("talvin_4"), "$D$\r\n");
}

INSTANTIATE_TEST_SUITE_P(Table, PortPhaseTest,
                         testing::Values(PortCase{.command_line = "000N04",
                                                  .settings_line = "MSComm1.Settings=19200,n,8,1"},
                                         PortCase{.command_line = "010N04",
                                                  .settings_line = "MSComm1.Settings=38400,n,8,1"},
                                         PortCase{.command_line = "020N04",
                                                  .settings_line = "MSComm1.Settings=9600,n,8,1"}));

TEST(JobStartupTest, AShortCommandLineTakesTheBusyEndingWithBarePrefixes) {
  VirtualWorld w(kSilentModem);
  const std::string console = RunSilentJob(w, "000N");
  EXPECT_NE(console.find("****  Error modem is busy  ****\r\n"), std::string::npos);
  EXPECT_EQ(w.ReadFile("talvin_"), "$F$\r\n");
  EXPECT_TRUE(w.Exists("talvin2_"));
  EXPECT_TRUE(w.ReadFile("trace_").ends_with("****  End of TAL_VO  ****  \r\n"));
  EXPECT_EQ(w.serial.Modem().Transcript(), "");
}

TEST(JobStartupTest, ABusyPortEndsWithFAndDeletesTheStoredMessage) {
  VirtualWorld w(kSilentModem);
  w.serial.MarkBusy(3);
  w.WriteFile("talvin_3", "message\x10\x03");
  RunSilentJob(w, "000N03");
  EXPECT_EQ(w.ReadFile("talvin_3"), "$F$\r\n");
  EXPECT_EQ(w.serial.Modem().Transcript(), "");
}

TEST(JobStartupTest, ARefusedCommandSetEndsWithFAndNeverOpensThePort) {
  VirtualWorld w(kSilentModem);
  Job job(w.ctx, w.serial, "000N03", nullptr);
  w.RunToEnd([&] { job.Run(); });
  EXPECT_EQ(w.ReadFile("talvin_3"), "$F$\r\n");
  EXPECT_NE(w.console.Text().find("****  Error modem is busy  ****\r\n"), std::string::npos);
  EXPECT_TRUE(w.serial.History().empty());
  EXPECT_EQ(w.serial.Modem().Transcript(), "");
}

TEST(JobStartupTest, SetsTheDisplayStateFromPositionFive) {
  VirtualWorld maximised(kSilentModem);
  RunSilentJob(maximised, "000N23");
  EXPECT_EQ(maximised.window.state, 2);
  VirtualWorld refused(kSilentModem);
  RunSilentJob(refused, "000N73");
  EXPECT_EQ(refused.window.state, 0);
}

// A modem that passes the set-up, answers the call and the recording, plays along with voice
// transmissions, and then vanishes where `vanish` says.
std::string VanishingModem(const std::string& vanish) {
  return vanish +
         "on \"ATI3\": \"VMODEM\" \"OK\"\n"
         "on \"ATD*\": \"VCON\"\n"
         "on \"AT #VSP=*\": \"OK\" wait 1000 \"RING\"\n"
         "on \"ATA\": \"VCON\"\n"
         "on \"AT #VTX\": \"CONNECT\" voice-tx\n"
         "on \"AT #VRX\": \"CONNECT\" voice-rx \"voice\" wait 2000 vanish\n";
}

struct LostCase {
  const char* name;
  const char* command_line;
  std::string vanish;  // the rule that makes the modem vanish, ahead of the others
  std::string result = "$D$\r\n";
};

class LostModemTest : public testing::TestWithParam<LostCase> {};

TEST_P(LostModemTest, EndsAtOnceWithDAndNoMoreCommands) {
  VirtualWorld w(VanishingModem(GetParam().vanish));
  w.WriteFile("talvin_3", "message\x10\x03");
  w.WriteFile("params_3", "60\r\n3\r\nNO\r\n0\r\n");
  const JobTime end = [&] {
    Job job(w.ctx, w.serial, GetParam().command_line, &w.modem.commands);
    return w.RunToEnd([&] { job.Run(); });
  }();
  EXPECT_EQ(w.ReadFile("talvin_3"), GetParam().result);
  EXPECT_TRUE(w.Exists("talvin2_3"));
  EXPECT_TRUE(w.ReadFile("trace_3").ends_with(
      "****  Error modem is lost  ****\r\n****  End of TAL_VO  ****  \r\n"));
  const auto& log = w.serial.Modem().Log();
  const auto gone =
      std::find_if(log.begin(), log.end(), [](const auto& e) { return e.text == "vanish"; });
  ASSERT_NE(gone, log.end());
  EXPECT_EQ(end, gone->at);  // no wait, no pause after the loss
}

INSTANTIATE_TEST_SUITE_P(
    Phases, LostModemTest,
    testing::Values(
        LostCase{
            .name = "SetUp", .command_line = "000N035551234", .vanish = "on \"AT E1*\": vanish\n"},
        LostCase{.name = "CallProgress",
                 .command_line = "000N035551234",
                 .vanish = "on \"ATD*\": \"RINGING\" wait 9000 vanish\n"},
        LostCase{.name = "VoiceTransmit",
                 .command_line = "000N035551234",
                 .vanish = "on \"AT #VTX\" #1: \"CONNECT\" voice-tx wait 1 vanish\n"},
        LostCase{.name = "KeyWait",
                 .command_line = "000N035551234",
                 .vanish = "on \"AT #VTX\" #2: \"CONNECT\" voice-tx until-end wait 3000 vanish\n"},
        LostCase{.name = "Reception", .command_line = "000N03", .vanish = ""},
        // The outcome stands; only the end sequence's commands are left out.
        LostCase{.name = "EndSequence",
                 .command_line = "000N03SPEAKER",
                 .vanish = "on \"AT #VLS=2\": \"BUSY\"\non \"AT #CLS=0\": vanish\n",
                 .result = "$B$\r\n"}),
    [](const auto& info) { return info.param.name; });

// The modem stops taking data mid-message with the port open: the drain gives what is queued its
// line time (2048 bytes at 19200 bit/s: 2 s) and the playback's reply time-out, 15 s; then the
// modem is lost.
TEST(LockedUpModemTest, EndsWithDOnceTheQueuedBytesHadTheirTime) {
  VirtualWorld w(VanishingModem(
      "baud 19200\non \"AT #VTX\": \"CONNECT\" voice-tx until-bytes 4000 lock-up\n"));
  w.WriteFile("talvin_3", std::string(40'000, 'm') + "\x10\x03");
  w.WriteFile("params_3", "60\r\n3\r\nNO\r\n0\r\n");
  Job job(w.ctx, w.serial, "000N035551234", &w.modem.commands);
  const JobTime end = w.RunToEnd([&] { job.Run(); });
  EXPECT_EQ(w.ReadFile("talvin_3"), "$D$\r\n");
  EXPECT_TRUE(w.ReadFile("trace_3").ends_with(
      "****  Error modem is lost  ****\r\n****  End of TAL_VO  ****  \r\n"));
  const auto& log = w.serial.Modem().Log();
  const auto locked =
      std::find_if(log.begin(), log.end(), [](const auto& e) { return e.text == "lock-up"; });
  ASSERT_NE(locked, log.end());
  EXPECT_GT(end - locked->at, std::chrono::seconds(15));
  EXPECT_LE(end - locked->at, std::chrono::seconds(15 + 2 + 1));
}
}  // namespace

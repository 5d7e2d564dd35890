#include "job/job.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "virtual_world.h"

namespace {
// A modem that answers nothing: every job that reaches it ends with "$D$".
constexpr std::string_view kSilentModem = "on \"*\":\n";

std::string RunSilentJob(VirtualWorld& w, const std::string& command_line) {
  Job job(w.ctx, command_line);
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
  std::optional<std::string> ver;  // nullopt: no file
  std::string shown;               // what the banner shows of it
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
                                .ver = std::string(1 << 20, 'x') + "\r\nTest OS\r\n",
                                .shown = "Test OS"},
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

TEST(JobStartupTest, SetsTheDisplayStateFromPositionFive) {
  VirtualWorld maximised(kSilentModem);
  RunSilentJob(maximised, "000N23");
  EXPECT_EQ(maximised.window.state, 2);
  VirtualWorld refused(kSilentModem);
  RunSilentJob(refused, "000N73");
  EXPECT_EQ(refused.window.state, 0);
}
}  // namespace

#include "modem/modem_setup.h"

#include <gtest/gtest.h>

#include "job/job_endings.h"
#include "virtual_world.h"

namespace {

using namespace std::chrono_literals;
constexpr std::string_view kModel = "on \"ATI3\": \"VMODEM 56K VOICE\" \"OK\"\n";

struct SetUpRun {
  explicit SetUpRun(std::string_view scenario, int modem_type = 0, std::string source = "0")
      : w(scenario) {
    w.values.JobId = "1";
    w.values.ModemType = static_cast<std::int16_t>(modem_type);
    w.values.SourceCode = std::move(source);
    w.serial.SetCommPort(1);
    w.serial.SetPortOpen(true);
  }

  // Runs the set-up; true when it returned, false when it ended the job.
  bool Run() {
    bool returned = false;
    try {
      SetUpModem(w.modem, w.console, w.ctx.sleeper, endings);
      returned = true;
    } catch (const JobTerminated&) {
    }
    return returned;
  }

  std::vector<std::string> Commands() {
    std::vector<std::string> commands;
    for (const auto& entry : w.serial.Modem().Log()) {
      if (entry.text.starts_with("command ")) commands.push_back(entry.text.substr(8));
    }
    return commands;
  }

  VirtualWorld w;
  CommandEngine& engine = w.engine;
  JobEndings& endings = w.endings;
};

std::size_t Count(const std::string& text, std::string_view part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ModemSetupTest, ResetsInitialisesIdentifiesAndSelectsVoice) {
  SetUpRun s(kModel);
  const JobTime start = s.w.clock.Now();
  ASSERT_TRUE(s.Run());
  EXPECT_EQ(s.Commands(), (std::vector<std::string>{"ATZ", "AT E1 H0 L0 S6=15 S7=60 &K3", "ATI3",
                                                    "AT #CLS=8 #VLS=0 #VRA=150 #VRN=255"}));
  EXPECT_EQ(s.w.console.Text(), "****  The Modem model is VMODEM 56K VOICE ****\r\n");
  EXPECT_EQ(s.w.clock.Now() - start, 2100ms);  // the three pauses, nothing else
}

struct TimerCase {
  int modem_type;
  const char* source;
  const char* voice_command;
};

class RingbackTimerTest : public testing::TestWithParam<TimerCase> {};

TEST_P(RingbackTimerTest, ChoosesTheTimersByModemTypeAndSource) {
  SetUpRun s(kModel, GetParam().modem_type, GetParam().source);
  ASSERT_TRUE(s.Run());
  EXPECT_EQ(s.Commands().back(), GetParam().voice_command);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RingbackTimerTest,
    testing::Values(
        TimerCase{
            .modem_type = 0, .source = "0", .voice_command = "AT #CLS=8 #VLS=0 #VRA=150 #VRN=255"},
        TimerCase{
            .modem_type = 1, .source = "0", .voice_command = "AT #CLS=8 #VLS=0 #VRA=70 #VRN=255"},
        TimerCase{
            .modem_type = 2, .source = "0", .voice_command = "AT #CLS=8 #VLS=0 #VRA=70 #VRN=255"},
        TimerCase{
            .modem_type = 0, .source = "1", .voice_command = "AT #CLS=8 #VLS=0 #VRA=0 #VRN=0"},
        TimerCase{
            .modem_type = 1, .source = "5", .voice_command = "AT #CLS=8 #VLS=0 #VRA=0 #VRN=0"}));

TEST(ModemSetupTest, ErrorToTheIdentificationSkipsTheModelLine) {
  SetUpRun s("on \"ATI3\": \"ERROR\"\n");
  ASSERT_TRUE(s.Run());
  EXPECT_EQ(s.w.console.Text(), "");
  EXPECT_EQ(s.Commands().back(), "AT #CLS=8 #VLS=0 #VRA=150 #VRN=255");
}

TEST(ModemSetupTest, ShowsOnlyTheFirstOfSeveralIdentificationLines) {
  SetUpRun s("on \"ATI3\": \"VMODEM\" \"Revision 2\" \"Voice\" \"OK\"\n");
  ASSERT_TRUE(s.Run());
  EXPECT_EQ(s.w.console.Text(), "****  The Modem model is VMODEM ****\r\n");
}

TEST(ModemSetupTest, AnIdentificationOfOkAloneEndsWithNoResponse) {
  SetUpRun s("on \"ATI3\": \"OK\"\n");
  EXPECT_FALSE(s.Run());
  EXPECT_EQ(s.w.ReadFile("talvin_1"), "$D$\r\n");
  EXPECT_EQ(Count(s.w.console.Text(), "****  The Modem model is OK ****\r\n"), 1u);
}

TEST(ModemSetupTest, ARefusedVoiceCommandWarnsAndGoesOn) {
  SetUpRun s(std::string(kModel) + "on \"AT #CLS=8*\": \"ERROR\"\n");
  ASSERT_TRUE(s.Run());
  EXPECT_NE(s.w.console.Text().find("****  Sorry this Modem model is not a voice modem ****\r\n"),
            std::string::npos);
}

// Line noise, half a second apart, for five minutes.
std::string Flood() {
  std::string actions;
  for (int i = 0; i < 600; ++i) actions += " wait 500 flood 40";
  return actions;
}

struct StuckCase {
  const char* command;  // the pattern of the command whose answer never comes
  bool floods = false;  // the modem floods instead of keeping silent
};

class SilentCommandTest : public testing::TestWithParam<StuckCase> {};

TEST_P(SilentCommandTest, SilenceAtAnyWaitEndsWithNoResponse) {
  SetUpRun s("on \"" + std::string(GetParam().command) +
             "\":" + (GetParam().floods ? Flood() : "") + "\n" + std::string(kModel));
  EXPECT_FALSE(s.Run());
  EXPECT_EQ(s.w.ReadFile("talvin_1"), "$D$\r\n");
  EXPECT_NE(s.w.console.Text().find("****  No Response from the modem  ****\r\n"),
            std::string::npos);
  // No wait outlasts ten 15-second time-outs; the end sequence's 3-second pause follows.
  EXPECT_LE(s.w.clock.Now() - 10h, 154000ms);
}

INSTANTIATE_TEST_SUITE_P(Commands, SilentCommandTest,
                         testing::Values(StuckCase{"ATZ"}, StuckCase{"AT E1*"}, StuckCase{"ATI3"},
                                         StuckCase{"AT #CLS=8*"},
                                         StuckCase{.command = "ATZ", .floods = true}));
}  // namespace

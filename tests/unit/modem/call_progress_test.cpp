#include "modem/call_progress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "job/job_endings.h"
#include "modem/v253_command_set.h"
#include "virtual_world.h"

namespace {

using namespace std::chrono_literals;

constexpr JobTime kStart = 10h;

std::string Replies(const std::string& line, int count) {
  std::string actions;
  for (int i = 0; i < count; ++i) actions += " \"" + line + "\"";
  return actions;
}

// A job past the modem set-up, with the port open, dialling or playing on job 3.
struct CallJob {
  explicit CallJob(const std::string& scenario, std::unique_ptr<CommandSet> commands = nullptr)
      : w(scenario, kStart, std::move(commands)) {
    w.values.JobId = "3";
    w.values.ProgressTimeout = 30;
    w.serial.SetCommPort(3);
    w.serial.SetPortOpen(true);
  }

  bool Sent(const std::string& bytes) {
    const auto& writes = w.serial.Writes();
    return std::find(writes.begin(), writes.end(), bytes) != writes.end();
  }

  VirtualWorld w;
  CommandEngine& engine = w.engine;
  JobEndings& endings = w.endings;
};

struct ProgressCase {
  const char* name;
  std::string replies;  // the modem's actions after the dial command
  std::int16_t progress_code;
  bool v253 = false;  // a modem of the V.253 command set, not the "#" set
};

class WaitCallProgressTest : public testing::TestWithParam<ProgressCase> {};

TEST_P(WaitCallProgressTest, ClassifiesTheModemsReports) {
  const ProgressCase& c = GetParam();
  CallJob job(
      std::string(c.v253 ? "command-set v253\n" : "") + "on \"ATD*\":" + c.replies + "\n",
      c.v253 ? std::make_unique<V253CommandSet>(VoiceCoding{.name = "u8", .rate = 8000}) : nullptr);
  job.w.values.ReplyTimeout = 10;
  job.engine.Send("ATD5551234");

  EXPECT_EQ(WaitCallProgress(job.w.modem), c.progress_code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaitCallProgressTest,
    testing::Values(
        ProgressCase{.name = "Vcon", .replies = R"( "VCON")", .progress_code = kVoiceConnection},
        ProgressCase{.name = "FourteenRingbacksThenVcon",
                     .replies = Replies("RINGING", 14) + R"( "VCON")",
                     .progress_code = kVoiceConnection},
        ProgressCase{.name = "FifteenthRingbackIsNoAnswer",
                     .replies = Replies("RINGING", 15) + R"( "VCON")",
                     .progress_code = JobValues::RingLimit},
        ProgressCase{.name = "Busy", .replies = R"( "RINGING" "BUSY")", .progress_code = kBusy},
        ProgressCase{.name = "NoAnswer",
                     .replies = R"( "RINGING" "NO ANSWER" "VCON")",
                     .progress_code = JobValues::RingLimit},
        ProgressCase{
            .name = "NoDialtone", .replies = R"( "NO DIALTONE")", .progress_code = kNoDialTone},
        ProgressCase{
            .name = "NoDialTone", .replies = R"( "NO DIAL TONE")", .progress_code = kNoDialTone},
        ProgressCase{.name = "NumberBlacklisted",
                     .replies = R"( "NUMBER BLACKLISTED")",
                     .progress_code = kBlacklisted},
        ProgressCase{
            .name = "Blacklisted", .replies = R"( "BLACKLISTED")", .progress_code = kBlacklisted},
        ProgressCase{
            .name = "OtherLinesIgnored",
            .replies = R"( "OK" "CONNECT" "RING" "BUSY NOW" "busy" " BUSY" "VCON " "Vcon" "BUSY")",
            .progress_code = kBusy},
        ProgressCase{.name = "SilenceIsNoAnswer",
                     .replies = R"( "RINGING" "RINGING")",
                     .progress_code = JobValues::RingLimit},
        // The V.253 set: "OK" is the presumed pickup, a DLE event needs no line end, "ERROR"
        // is no answer.
        ProgressCase{.name = "V253PresumedPickup",
                     .replies = R"( "RINGING" "OK")",
                     .progress_code = kVoiceConnection,
                     .v253 = true},
        ProgressCase{.name = "V253BusyEvent",
                     .replies = R"( "RINGING" key b)",
                     .progress_code = kBusy,
                     .v253 = true},
        ProgressCase{
            .name = "V253BusyLine", .replies = R"( "BUSY")", .progress_code = kBusy, .v253 = true},
        ProgressCase{.name = "V253DialToneEvent",
                     .replies = " key d",
                     .progress_code = kNoDialTone,
                     .v253 = true},
        ProgressCase{.name = "V253NoDialTone",
                     .replies = R"( "NO DIAL TONE")",
                     .progress_code = kNoDialTone,
                     .v253 = true},
        ProgressCase{.name = "V253NoDialtone",
                     .replies = R"( "NO DIALTONE")",
                     .progress_code = kNoDialTone,
                     .v253 = true},
        ProgressCase{.name = "V253NoAnswer",
                     .replies = R"( "NO ANSWER" "OK")",
                     .progress_code = JobValues::RingLimit,
                     .v253 = true},
        ProgressCase{.name = "V253Silence",
                     .replies = " silent",
                     .progress_code = JobValues::RingLimit,
                     .v253 = true},
        ProgressCase{.name = "V253Error",
                     .replies = R"( "ERROR" "OK")",
                     .progress_code = JobValues::RingLimit,
                     .v253 = true},
        ProgressCase{.name = "V253RingLimit",
                     .replies = Replies("RINGING", 15) + R"( "OK")",
                     .progress_code = JobValues::RingLimit,
                     .v253 = true},
        // The end of a voice transmission echoed before "OK"; a key and a shielded DLE say
        // nothing about the call; "VCON" is not a V.253 reply.
        ProgressCase{.name = "V253EchoedEndThenOk",
                     .replies = R"( bytes "\x10\x03OK\r\n")",
                     .progress_code = kVoiceConnection,
                     .v253 = true},
        ProgressCase{.name = "V253OtherEventsAndVcon",
                     .replies = R"( key 5 bytes "\x10\x10" "VCON" "OK")",
                     .progress_code = kVoiceConnection,
                     .v253 = true}),
    [](const testing::TestParamInfo<ProgressCase>& info) { return info.param.name; });

TEST(WaitCallProgress, TimeOutBoundsTheSilenceBetweenReplies) {
  CallJob job(R"(on "ATD*": wait 1000 "RINGING" wait 4000 "RINGING" wait 7000 "VCON")");
  job.w.values.ReplyTimeout = 5;
  job.engine.Send("ATD5551234");

  EXPECT_EQ(WaitCallProgress(job.w.modem), JobValues::RingLimit);
  // The 4-second gap passes; the 7-second one ends the wait 5 to 6 seconds after its start.
  EXPECT_GE(job.w.clock.Now(), kStart + 10000ms);
  EXPECT_LT(job.w.clock.Now(), kStart + 12000ms);
}

struct OutcomeCase {
  const char* name;
  std::string dial_modifier{};
  std::string play_target;
  std::string scenario;
  std::string dial_command;  // "" when nothing is dialled
  std::string marker;
  std::string console_line;
};

class PlaceCallFailureTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(PlaceCallFailureTest, WritesMarkerAndEndsJob) {
  const OutcomeCase& c = GetParam();
  CallJob job(c.scenario);
  job.w.values.DialModifier = c.dial_modifier;
  job.w.values.PlayTarget = c.play_target;
  job.w.values.ProgressTimeout = 4;

  job.w.RunToEnd([&] { PlaceCall(job.w.modem, job.w.console, job.w.ctx.sleeper, job.endings); });

  EXPECT_EQ(job.w.ReadFile("talvin_3"), c.marker);
  EXPECT_NE(job.w.console.Text().find(c.console_line + "\r\n"), std::string::npos)
      << job.w.console.Text();
  if (!c.dial_command.empty()) {
    EXPECT_TRUE(job.Sent(c.dial_command + "\r"));
  }
  EXPECT_TRUE(job.Sent("AT #CLS=0\r"));
  EXPECT_TRUE(job.w.Exists("talvin2_3"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceCallFailureTest,
    testing::Values(
        OutcomeCase{.name = "Busy",
                    .play_target = "5551234",
                    .scenario = R"(on "ATD5551234": "BUSY")",
                    .dial_command = "ATD5551234",
                    .marker = "$B$\r\n",
                    .console_line = "****  Error phone number  5551234 is busy  ****"},
        OutcomeCase{.name = "NoDialtone",
                    .dial_modifier = "T",
                    .play_target = "5551234",
                    .scenario = R"(on "ATDT5551234": "NO DIALTONE")",
                    .dial_command = "ATDT5551234",
                    .marker = "$C$\r\n",
                    .console_line = "****  Error phone number  5551234 no dialtone  ****"},
        OutcomeCase{.name = "Blacklisted",
                    .dial_modifier = "P",
                    .play_target = "0123",
                    .scenario = R"(on "ATDP0123": "BLACKLISTED")",
                    .dial_command = "ATDP0123",
                    .marker = "$E$\r\n",
                    .console_line = "****  Error phone number  0123 is BLACKLISTED  ****"},
        OutcomeCase{
            .name = "RingLimit",
            .play_target = "5551234",
            .scenario = "on \"ATD5551234\":" + Replies("RINGING", 15),
            .dial_command = "ATD5551234",
            .marker = "$A$\r\n",
            .console_line = "****  Error phone number  5551234 has not picked up the line  ****"},
        OutcomeCase{
            .name = "SilenceAfterDial",
            .play_target = "5551234",
            .scenario = R"(on "ATD5551234": "RINGING")",
            .dial_command = "ATD5551234",
            .marker = "$A$\r\n",
            .console_line = "****  Error phone number  5551234 has not picked up the line  ****"},
        OutcomeCase{
            .name = "LowerCaseSpeakerIsDialled",
            .play_target = "speaker",
            .scenario = R"(on "ATDspeaker": "NO ANSWER")",
            .dial_command = "ATDspeaker",
            .marker = "$A$\r\n",
            .console_line = "****  Error phone number  speaker has not picked up the line  ****"},
        OutcomeCase{
            .name = "SpeakerWithoutVcon",
            .dial_modifier = "T",
            .play_target = "SPEAKER",
            .scenario = R"(on "AT #VLS=2": "OK")",
            .dial_command = "",
            .marker = "$A$\r\n",
            .console_line = "****  Error phone number  SPEAKER has not picked up the line  ****"}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

TEST(PlaceCall, DialPausesSixSecondsThenReadsProgressWithProgressTimeout) {
  CallJob job(R"(on "ATDT5551234": "VCON")");
  job.w.values.DialModifier = "T";
  job.w.values.PlayTarget = "5551234";
  job.w.values.ProgressTimeout = 7;

  PlaceCall(job.w.modem, job.w.console, job.w.ctx.sleeper, job.endings);

  EXPECT_GE(job.w.clock.Now(), kStart + 6000ms);
  EXPECT_EQ(job.w.values.ReplyTimeout, 7);
  EXPECT_EQ(job.w.console.Text(),
            "****  Playing mode  ****\r\n****  Calling phone number  5551234  ****\r\n");
  EXPECT_FALSE(job.w.Exists("talvin_3"));
}

TEST(PlaceCall, SpeakerSetsVolumeAndSelectsSpeakerLine) {
  CallJob job(R"(on "AT #VLS=2": "VCON")");
  job.w.values.DialModifier = "T";
  job.w.values.PlayTarget = "SPEAKER";

  PlaceCall(job.w.modem, job.w.console, job.w.ctx.sleeper, job.endings);

  EXPECT_EQ(job.w.serial.Writes(), (std::vector<std::string>{"AT L3 M2\r", "AT #VLS=2\r"}));
  EXPECT_EQ(job.w.console.Text(),
            "****  Playing mode  ****\r\n****  Playing on the modem SPEAKER    ****\r\n");
  EXPECT_LT(job.w.clock.Now(), kStart + 1000ms);
}

}  // namespace

// A failed call leaves its marker as the result, its error line on the console and in the
// trace, and the completion marker; the modem sees the dial string exactly as the command
// line gave it, with the dial modifier and without a change of case. Every way a call can
// fail is classified on virtual time by the call progress unit tests; the two calls here go
// the whole way from the command line to the modem and back.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e_job.h"
#include "support/scenarios.h"

namespace {

// A voice modem that passes the set-up; `call` adds the rules for the call itself. A dial
// string other than the one expected gets a plain "OK" and the call ends as unanswered.
std::string Scenario(const std::string& call) {
  return "on \"ATI3\": \"VMODEM VOICE\" \"OK\"\n" + call + "\n";
}

struct CallCase {
  const char* name;
  std::string command_line;
  std::string call_rules;
  std::string dial_command;  // as the modem must receive it
  std::string marker;
  std::string console_line;
};

class CallOutcomeTest : public testing::TestWithParam<CallCase> {};

TEST_P(CallOutcomeTest, LeavesMarkerConsoleLineAndTrace) {
  const CallCase& c = GetParam();
  E2eJob job(Scenario(c.call_rules));
  job.WriteFile("params_3", "2\r\n0\r\nNO\r\n0\r\n");

  const TalvoRun run = job.RunTalvo({c.command_line});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), c.marker);
  EXPECT_TRUE(job.Exists("talvin2_3"));
  EXPECT_EQ(job.ReadFile("talvin2_3"), "");
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find(c.console_line + "\r\n" + kEndLine), std::string::npos) << trace;
  const std::string transcript = job.Transcript();
  EXPECT_NE(transcript.find(c.dial_command + "\r"), std::string::npos) << transcript;
  // The dial pause holds the progress wait back by six seconds, so the hang-up comes later.
  const ModemLog log = job.Log();
  const long long dial = log.CommandTime(c.dial_command);
  const long long reset = log.CommandTime("AT #CLS=0");
  ASSERT_NE(dial, -1);
  ASSERT_NE(reset, -1);
  EXPECT_GE(reset - dial, 6000);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CallOutcomeTest,
    testing::Values(
        CallCase{.name = "BusyToneDialled",
                 .command_line = "000T035551234",
                 .call_rules = R"(on "ATDT5551234": wait 300 "RINGING" "BUSY")",
                 .dial_command = "ATDT5551234",
                 .marker = "$B$\r\n",
                 .console_line = "****  Error phone number  5551234 is busy  ****"},
        CallCase{
            .name = "LowerCaseSpeakerIsDialled",
            .command_line = "000N03speaker",
            .call_rules = R"(on "ATDspeaker": "RINGING")",
            .dial_command = "ATDspeaker",
            .marker = "$A$\r\n",
            .console_line = "****  Error phone number  speaker has not picked up the line  ****"}),
    [](const testing::TestParamInfo<CallCase>& info) { return info.param.name; });

}  // namespace

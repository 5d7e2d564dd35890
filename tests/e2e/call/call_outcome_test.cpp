// A failed call leaves its marker as the result, its error line on the console and in the
// trace, and the completion marker; the modem sees the dial string with the dial modifier the
// command line gave. Every way a call can fail, and a target's case kept as it stands, are
// classified on virtual time by the call progress unit tests; the call here goes the whole way
// from the command line to the modem and back.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e_job.h"
#include "support/scenarios.h"

namespace {

using namespace std::chrono_literals;

TEST(CallOutcomeTest, ABusyNumberDialledWithAModifierLeavesBMarkerConsoleLineAndTrace) {
  E2eJob job(
      "on \"ATI3\": \"VMODEM VOICE\" \"OK\"\n"
      "on \"ATDT5551234\": wait 300 \"RINGING\" \"BUSY\"\n");
  job.WriteFile("params_3", "2\r\n0\r\nNO\r\n0\r\n");

  const TalvoRun run = job.RunTalvo({"000T035551234"});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$B$\r\n");
  EXPECT_EQ(job.ReadFile("talvin2_3"), "");
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(
      trace.find("****  Error phone number  5551234 is busy  ****\r\n" + std::string(kEndLine)),
      std::string::npos)
      << trace;
  // The dial pause holds the progress wait back by six seconds, so the hang-up comes later.
  const ModemLog log = job.Log();
  const std::chrono::milliseconds dial = log.CommandTime("ATDT5551234");
  const std::chrono::milliseconds reset = log.CommandTime("AT #CLS=0");
  ASSERT_NE(dial, -1ms);
  ASSERT_NE(reset, -1ms);
  EXPECT_GE(reset - dial, 6000ms);
}

}  // namespace

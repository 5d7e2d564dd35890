#include "job/command_line.h"

#include <gtest/gtest.h>

namespace {
TEST(CommandLineTest, JoinsArgumentsWithSingleBlanks) {
  EXPECT_EQ(JoinArguments({}), "");
  EXPECT_EQ(JoinArguments({"000N035551234"}), "000N035551234");
  EXPECT_EQ(JoinArguments({"000N03", "555", "1234"}), "000N03 555 1234");
}

struct LineCase {
  const char* line;
  int echo = 0;
  int modem_type = 0;
  const char* stop_code = "b";
  const char* source;
  const char* job_id;
  const char* modifier;
  bool recording = false;
};

class ParseCommandLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ParseCommandLineTest, TakesEachPosition) {
  const LineCase& c = GetParam();
  JobValues v;
  ParseCommandLine(c.line, v);
  EXPECT_EQ(v.EchoFlag, c.echo);
  EXPECT_EQ(v.ModemType, c.modem_type);
  EXPECT_EQ(v.StopCode, c.stop_code);
  EXPECT_EQ(v.SourceCode, c.source);
  EXPECT_EQ(v.JobId, c.job_id);
  EXPECT_EQ(DialModifierOf(c.line), c.modifier);
  EXPECT_EQ(IsRecordingJob(c.line), c.recording);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommandLineTest,
    testing::Values(
        LineCase{.line = "000N035551234", .source = "0", .job_id = "3", .modifier = ""},
        LineCase{.line = "110T04",
                 .echo = 1,
                 .modem_type = 1,
                 .stop_code = "Z",
                 .source = "0",
                 .job_id = "4",
                 .modifier = "T",
                 .recording = true},
        LineCase{.line = "021P29SPEAKER",
                 .modem_type = 2,
                 .source = "1",
                 .job_id = "9",
                 .modifier = "P"},
        LineCase{
            .line = "x3a705 12", .modem_type = 3, .source = "a", .job_id = "5", .modifier = "7"},
        LineCase{.line = "0000", .source = "0", .job_id = "", .modifier = "0"},
        LineCase{.line = "", .source = "", .job_id = "", .modifier = ""}));

TEST(CommandLineTest, PositionBeyondTheEndIsEmpty) {
  EXPECT_EQ(Position("000N03", 6), "3");
  EXPECT_EQ(Position("000N03", 7), "");
}
}  // namespace

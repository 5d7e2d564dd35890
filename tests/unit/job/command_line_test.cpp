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
  int echo;
  int modem_type;
  const char* stop_code;
  const char* source;
  const char* job_id;
  const char* modifier;
  bool recording;
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

INSTANTIATE_TEST_SUITE_P(Table, ParseCommandLineTest,
                         testing::Values(LineCase{"000N035551234", 0, 0, "b", "0", "3", "", false},
                                         LineCase{"110T04", 1, 1, "Z", "0", "4", "T", true},
                                         LineCase{"021P29SPEAKER", 0, 2, "b", "1", "9", "P", false},
                                         LineCase{"x3a705 12", 0, 3, "b", "a", "5", "7", false},
                                         LineCase{"0000", 0, 0, "b", "0", "", "0", false},
                                         LineCase{"", 0, 0, "b", "", "", "", false}));

TEST(CommandLineTest, PositionBeyondTheEndIsEmpty) {
  EXPECT_EQ(Position("000N03", 6), "3");
  EXPECT_EQ(Position("000N03", 7), "");
}
}  // namespace

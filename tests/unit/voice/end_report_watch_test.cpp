#include "voice/end_report_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Read {
  std::string bytes;
  bool ends;
};

struct WatchCase {
  const char* name;
  std::vector<Read> reads;
};

class EndReportWatchTest : public testing::TestWithParam<WatchCase> {};

TEST_P(EndReportWatchTest, FiresOnlyOnAnUnshieldedReportAtTheEnd) {
  EndReportWatch watch;
  int i = 0;
  for (const Read& read : GetParam().reads) {
    EXPECT_EQ(watch.Feed(read.bytes), read.ends) << "read " << i;
    ++i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndReportWatchTest,
    testing::Values(WatchCase{"QuietReport", {{"ab\x10q", true}}},
                    WatchCase{"StarDoesNotEnd", {{"ab\x10*", false}}},
                    WatchCase{"ShieldedDleBeforeS", {{"a\x10\x10s", false}}},
                    WatchCase{"ShieldedPairSplitAcrossReads", {{"a\x10", false}, {"\x10s", false}}},
                    WatchCase{"ReportAfterShieldedPair", {{"a\x10\x10", false}, {"\x10q", true}}},
                    WatchCase{"LongDleRunAcrossReads",
                              {{"\x10\x10\x10", false}, {"\x10\x10", false}, {"s", true}}}),
    [](const testing::TestParamInfo<WatchCase>& info) { return info.param.name; });

}  // namespace

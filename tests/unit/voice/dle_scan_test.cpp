#include "voice/dle_scan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct DleCase {
  const char* name;
  std::string data;
  char code;
  std::optional<std::size_t> expected;
};

class FindDleSequenceTest : public testing::TestWithParam<DleCase> {};

TEST_P(FindDleSequenceTest, FindsOnlyUnshieldedSequences) {
  const DleCase& c = GetParam();
  EXPECT_EQ(FindDleSequence(c.data, c.code), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindDleSequenceTest,
    testing::Values(DleCase{"Empty", "", kEtx, std::nullopt},
                    DleCase{"AtStart", "\x10\x03", kEtx, 0},
                    DleCase{"AfterData", "ab\x10\x03zz", kEtx, 2},
                    DleCase{"ShieldedDleBeforeEtx", "a\x10\x10\003b\x10\x03", kEtx, 5},
                    DleCase{"ShieldedPairThenSequence", "\x10\x10\x10\x03", kEtx, 2},
                    DleCase{"OnlyShieldedData", "\x10\x10\x03\x03", kEtx, std::nullopt},
                    DleCase{"LoneDleAtEnd", "abc\x10", kEtx, std::nullopt},
                    DleCase{"OtherSequenceSkipped", "\x10s\x03\x10*", '*', 3},
                    DleCase{"ShieldedStar", "\x10\x10*", '*', std::nullopt},
                    DleCase{"EtxWithoutDle", "\x03\x03", kEtx, std::nullopt}),
    [](const testing::TestParamInfo<DleCase>& info) { return info.param.name; });

}  // namespace

#include "voice/recording_cut.h"

#include <gtest/gtest.h>

#include <string>

#include "core/dle.h"

namespace {

const std::string kDles(1, kDle);

// `len` bytes of voice data holding no DLE.
std::string Data(std::size_t len) {
  return std::string(len, 'v');
}

std::string Mark(char code) {
  return kDles + code;
}

struct CutCase {
  const char* name;
  std::string data;
  std::size_t expected;
};

class CutRecordingTest : public testing::TestWithParam<CutCase> {};

TEST_P(CutRecordingTest, CutsAtTheFirstMarkAndDropsTrailingDles) {
  EXPECT_EQ(CutRecording(GetParam().data), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutRecordingTest,
    testing::Values(
        CutCase{.name = "StarWinsOverEarlierEndReport",
                .data = Data(10) + Mark('s') + Data(10) + Mark('*'),
                .expected = 22},
        CutCase{.name = "FirstOfSeveralEndReports",
                .data = Data(100) + Mark('s') + Data(100) + Mark('s'),
                .expected = 100},
        CutCase{.name = "QuietAlone", .data = Data(7) + Mark('q'), .expected = 7},
        CutCase{.name = "OpenDleOfFullBufferDropped", .data = Data(99) + kDles, .expected = 99},
        CutCase{.name = "ShieldedQuietIsData",
                .data = Data(5) + kDles + Mark('q') + Data(5) + Mark('q'),
                .expected = 13},
        CutCase{.name = "EmptyRecording", .data = "", .expected = 0}),
    [](const testing::TestParamInfo<CutCase>& info) { return info.param.name; });

}  // namespace

#include "core/dle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// What the decoder makes of `bytes`: data bytes as they are, "<c>" for a key or other event,
// "[c]" for an end report, and "+" at the end while a DLE waits for its partner.
std::string Decode(const std::string& bytes) {
  DleDecoder decoder;
  std::string out;
  for (const char byte : bytes) {
    const auto item = decoder.Feed(byte);
    if (!item) continue;
    switch (item->kind) {
      case DleItem::Kind::kData:
        out += item->byte;
        break;
      case DleItem::Kind::kEvent:
      case DleItem::Kind::kEndOfData:
        out += std::string("<") + item->byte + ">";
        break;
      case DleItem::Kind::kEndReport:
        out += std::string("[") + item->byte + "]";
        break;
    }
  }
  return decoder.Open() ? out + "+" : out;
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string decoded;
};

class DleDecoderTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DleDecoderTest, PairsEveryDleWithTheByteAfterIt) {
  EXPECT_EQ(Decode(GetParam().bytes), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, DleDecoderTest,
    testing::Values(
        DecodeCase{.name = "Key",
                   .bytes = "ab\x10"
                            "1c",
                   .decoded = "ab<1>c"},
        DecodeCase{.name = "StarIsAKey", .bytes = "\x10*", .decoded = "<*>"},
        DecodeCase{.name = "EndReports", .bytes = "\x10s\x10q", .decoded = "[s][q]"},
        DecodeCase{.name = "ShieldedDleIsData", .bytes = "a\x10\x10s", .decoded = "a\x10s"},
        DecodeCase{
            .name = "ReportAfterShieldedDle", .bytes = "\x10\x10\x10q", .decoded = "\x10[q]"},
        DecodeCase{
            .name = "LongDleRun", .bytes = "\x10\x10\x10\x10\x10s", .decoded = "\x10\x10[s]"},
        DecodeCase{.name = "DleEtxIsAnEvent", .bytes = "\x10\x03", .decoded = "<\x03>"},
        DecodeCase{.name = "OpenDleIsRemembered", .bytes = "ab\x10", .decoded = "ab+"}),
    [](const auto& info) { return info.param.name; });

struct FindCase {
  const char* name;
  std::string data;
  char code;
  std::optional<std::size_t> expected;
};

class FindDleSequenceTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindDleSequenceTest, FindsOnlyUnshieldedSequences) {
  const FindCase& c = GetParam();
  EXPECT_EQ(FindDleSequence(c.data, c.code), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindDleSequenceTest,
    testing::Values(
        FindCase{.name = "Empty", .data = "", .code = kEtx, .expected = std::nullopt},
        FindCase{.name = "AtStart", .data = "\x10\x03", .code = kEtx, .expected = 0},
        FindCase{.name = "AfterData", .data = "ab\x10\x03zz", .code = kEtx, .expected = 2},
        FindCase{.name = "ShieldedDleBeforeEtx",
                 .data = "a\x10\x10\003b\x10\x03",
                 .code = kEtx,
                 .expected = 5},
        FindCase{.name = "ShieldedPairThenSequence",
                 .data = "\x10\x10\x10\x03",
                 .code = kEtx,
                 .expected = 2},
        FindCase{.name = "OnlyShieldedData",
                 .data = "\x10\x10\x03\x03",
                 .code = kEtx,
                 .expected = std::nullopt},
        FindCase{.name = "LoneDleAtEnd", .data = "abc\x10", .code = kEtx, .expected = std::nullopt},
        FindCase{
            .name = "OtherSequenceSkipped", .data = "\x10s\x03\x10*", .code = '*', .expected = 3},
        FindCase{
            .name = "ShieldedStar", .data = "\x10\x10*", .code = '*', .expected = std::nullopt},
        FindCase{
            .name = "EtxWithoutDle", .data = "\x03\x03", .code = kEtx, .expected = std::nullopt}),
    [](const testing::TestParamInfo<FindCase>& info) { return info.param.name; });

}  // namespace

#include "job/number_rule.h"

#include <gtest/gtest.h>

namespace {
struct NumberCase {
  const char* text;
  std::optional<std::int16_t> value;
};

class ReadNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(ReadNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadNumberTest,
    testing::Values(
        NumberCase{"", 0}, NumberCase{"word", 0}, NumberCase{"30", 30}, NumberCase{" 30 word", 30},
        NumberCase{"3 0", 30}, NumberCase{"\t1\t5", 15}, NumberCase{"2.5", 2}, NumberCase{"3.5", 4},
        NumberCase{"-2.5", -2}, NumberCase{"0.5", 0}, NumberCase{"1.5", 2}, NumberCase{"2.51", 3},
        NumberCase{"-7x", -7}, NumberCase{"+12", 12}, NumberCase{"12-3", 12},
        NumberCase{"1.2.3", 1}, NumberCase{".", 0}, NumberCase{"-", 0}, NumberCase{"32767", 32767},
        NumberCase{"-32768", -32768}, NumberCase{"32767.5", std::nullopt},
        NumberCase{"32768", std::nullopt}, NumberCase{"-32769", std::nullopt},
        NumberCase{"99999999999999999999999999999999999999999999999999999999999999999999"
                   "999999999999999999999999999999999999999999999999999999999999999999"
                   "999999999999999999999999999999999999999999999999999999999999999999"
                   "999999999999999999999999999999999999999999999999999999999999999999"
                   "9999999999999999999999999999999999999999999999999",
                   std::nullopt}));

TEST(DigitValueTest, GivesTheDigitOrZero) {
  EXPECT_EQ(DigitValue("7"), 7);
  EXPECT_EQ(DigitValue("0"), 0);
  EXPECT_EQ(DigitValue("N"), 0);
  EXPECT_EQ(DigitValue(""), 0);
}
}  // namespace

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
        NumberCase{.text = "", .value = 0}, NumberCase{.text = "word", .value = 0},
        NumberCase{.text = "30", .value = 30}, NumberCase{.text = " 30 word", .value = 30},
        NumberCase{.text = "3 0", .value = 30}, NumberCase{.text = "\t1\t5", .value = 15},
        NumberCase{.text = "2.5", .value = 2}, NumberCase{.text = "3.5", .value = 4},
        NumberCase{.text = "-2.5", .value = -2}, NumberCase{.text = "0.5", .value = 0},
        NumberCase{.text = "1.5", .value = 2}, NumberCase{.text = "2.51", .value = 3},
        NumberCase{.text = "-7x", .value = -7}, NumberCase{.text = "+12", .value = 12},
        NumberCase{.text = "12-3", .value = 12}, NumberCase{.text = "1.2.3", .value = 1},
        NumberCase{.text = ".", .value = 0}, NumberCase{.text = "-", .value = 0},
        NumberCase{.text = "32767", .value = 32767}, NumberCase{.text = "-32768", .value = -32768},
        NumberCase{.text = "32767.5", .value = std::nullopt},
        NumberCase{.text = "32768", .value = std::nullopt},
        NumberCase{.text = "-32769", .value = std::nullopt},
        NumberCase{.text = "99999999999999999999999999999999999999999999999999999999999999999999"
                           "999999999999999999999999999999999999999999999999999999999999999999"
                           "999999999999999999999999999999999999999999999999999999999999999999"
                           "999999999999999999999999999999999999999999999999999999999999999999"
                           "9999999999999999999999999999999999999999999999999",
                   .value = std::nullopt}));

TEST(DigitValueTest, GivesTheDigitOrZero) {
  EXPECT_EQ(DigitValue("7"), 7);
  EXPECT_EQ(DigitValue("0"), 0);
  EXPECT_EQ(DigitValue("N"), 0);
  EXPECT_EQ(DigitValue(""), 0);
}
}  // namespace

#include "modem/line_settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Parity = LineSettings::Parity;
using StopBits = LineSettings::StopBits;

struct SettingsCase {
  const char* text;
  std::optional<LineSettings> parsed;
};

class LineSettingsTest : public testing::TestWithParam<SettingsCase> {};

TEST_P(LineSettingsTest, ReadsOnlyWellFormedSettings) {
  const auto parsed = ParseLineSettings(GetParam().text);
  const auto& expected = GetParam().parsed;
  ASSERT_EQ(parsed.has_value(), expected.has_value());
  if (!expected) return;
  EXPECT_EQ(parsed->speed, expected->speed);
  EXPECT_EQ(parsed->parity, expected->parity);
  EXPECT_EQ(parsed->data_bits, expected->data_bits);
  EXPECT_EQ(parsed->stop_bits, expected->stop_bits);
}

constexpr LineSettings Line(int speed, Parity parity, int data_bits, StopBits stop_bits) {
  return {.speed = speed, .parity = parity, .data_bits = data_bits, .stop_bits = stop_bits};
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineSettingsTest,
    testing::Values(SettingsCase{.text = "19200,n,8,1",
                                 .parsed = Line(19200, Parity::kNone, 8, StopBits::kOne)},
                    SettingsCase{.text = "38400,N,8,2",
                                 .parsed = Line(38400, Parity::kNone, 8, StopBits::kTwo)},
                    SettingsCase{.text = "2400,e,7,1.5",
                                 .parsed = Line(2400, Parity::kEven, 7, StopBits::kOneAndHalf)},
                    SettingsCase{.text = "300,M,5,1",
                                 .parsed = Line(300, Parity::kMark, 5, StopBits::kOne)},
                    SettingsCase{.text = "", .parsed = std::nullopt},
                    SettingsCase{.text = "19200", .parsed = std::nullopt},
                    SettingsCase{.text = "fast,n,8,1", .parsed = std::nullopt},
                    SettingsCase{.text = "0,n,8,1", .parsed = std::nullopt},
                    SettingsCase{.text = "19200,x,8,1", .parsed = std::nullopt},
                    SettingsCase{.text = "19200,n,4,1", .parsed = std::nullopt},
                    SettingsCase{.text = "19200,n,9,1", .parsed = std::nullopt},
                    SettingsCase{.text = "19200,n,8,3", .parsed = std::nullopt},
                    SettingsCase{.text = "19200,n,8,1,1", .parsed = std::nullopt}));

}  // namespace

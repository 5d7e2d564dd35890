#pragma once
// The values a modem offers for a setting, as it lists them: single values and ranges,
// separated by commas (some modems use semicolons), with or without parentheses: "(0-255)",
// "0-25", "(7200,8000)", "7200-8000;11025".
#include <optional>
#include <string_view>
#include <vector>

struct ValueRange {
  int low;
  int high;
};

// The ranges `text` lists; parts that are not numbers or ranges are left out.
std::vector<ValueRange> ParseValueRanges(std::string_view text);

bool Offers(const std::vector<ValueRange>& ranges, int value);

// The largest offered value not above `wanted`; nothing when every one is above.
std::optional<int> LargestUpTo(const std::vector<ValueRange>& ranges, int wanted);

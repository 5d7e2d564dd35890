#include "job/number_rule.h"

#include <cmath>
#include <cstdlib>
#include <string>

std::optional<std::int16_t> ReadNumber(std::string_view text) {
  std::string number;
  bool seen_digit = false;
  bool seen_point = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    if ((c == '+' || c == '-') && number.empty()) {
      number += c;
    } else if (c >= '0' && c <= '9') {
      number += c;
      seen_digit = true;
    } else if (c == '.' && !seen_point) {
      number += c;
      seen_point = true;
    } else {
      break;
    }
  }
  if (!seen_digit) return 0;
  // nearbyint rounds halves to even under the default rounding mode.
  const double value = std::nearbyint(std::strtod(number.c_str(), nullptr));
  if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::int16_t DigitValue(std::string_view position) {
  if (position.size() == 1 && position[0] >= '0' && position[0] <= '9') {
    return static_cast<std::int16_t>(position[0] - '0');
  }
  return 0;
}

#include "console/number_format.h"

std::string FormatDigits(std::int64_t value, int min_digits) {
  std::string digits = value == 0 ? std::string() : std::to_string(value < 0 ? -value : value);
  if (digits.size() < static_cast<std::size_t>(min_digits)) {
    digits.insert(0, static_cast<std::size_t>(min_digits) - digits.size(), '0');
  }
  return value < 0 ? "-" + digits : digits;
}

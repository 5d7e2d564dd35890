#pragma once
#include <cstdint>
#include <string>

// Decimal digits without separators, padded with leading zeros to `min_digits`. With 0, the
// value 0 shows as nothing at all (the "######" picture); with 6 it shows as "000000".
std::string FormatDigits(std::int64_t value, int min_digits);

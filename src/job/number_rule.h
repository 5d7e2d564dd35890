#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Reads the number at the start of a text: blanks and tabs are ignored wherever they stand,
// then an optional sign, digits and an optional decimal fraction; the first other character
// ends it, and a text without a number reads as 0. The value is rounded to the nearest
// integer, halves to the even neighbour. Returns nothing when it does not fit 16 bits.
std::optional<std::int16_t> ReadNumber(std::string_view text);

// The value of one command-line position: the digit's value, 0 for anything else.
std::int16_t DigitValue(std::string_view position);

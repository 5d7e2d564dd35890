#pragma once
// The serial line's settings as text: "speed,parity,data bits,stop bits", e.g. "19200,n,8,1".
// The speed is a positive number of bits per second; the parity one of n, e, o, m, s (none,
// even, odd, mark, space) in either case; 5 to 8 data bits; 1, 1.5 or 2 stop bits.
#include <optional>
#include <string_view>

struct LineSettings {
  enum class Parity { kNone, kEven, kOdd, kMark, kSpace };
  enum class StopBits { kOne, kOneAndHalf, kTwo };

  int speed;
  Parity parity;
  int data_bits;
  StopBits stop_bits;
};

// Nothing for a text that does not follow the form.
std::optional<LineSettings> ParseLineSettings(std::string_view text);

#include "modem/line_settings.h"

#include <charconv>
#include <vector>

namespace {

constexpr int kFastestSpeed = 4000000;

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t comma = text.find(',');
    parts.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return parts;
    text.remove_prefix(comma + 1);
  }
}

std::optional<int> ParseSpeed(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  if (value <= 0 || value > kFastestSpeed) return {};
  return value;
}

std::optional<LineSettings::Parity> ParseParity(std::string_view text) {
  using Parity = LineSettings::Parity;
  if (text.size() != 1) return {};
  switch (text[0]) {
    case 'n':
    case 'N':
      return Parity::kNone;
    case 'e':
    case 'E':
      return Parity::kEven;
    case 'o':
    case 'O':
      return Parity::kOdd;
    case 'm':
    case 'M':
      return Parity::kMark;
    case 's':
    case 'S':
      return Parity::kSpace;
    default:
      return {};
  }
}

std::optional<LineSettings::StopBits> ParseStopBits(std::string_view text) {
  using StopBits = LineSettings::StopBits;
  if (text == "1") return StopBits::kOne;
  if (text == "1.5") return StopBits::kOneAndHalf;
  if (text == "2") return StopBits::kTwo;
  return {};
}

}  // namespace

std::optional<LineSettings> ParseLineSettings(std::string_view text) {
  const std::vector<std::string_view> parts = SplitCommas(text);
  if (parts.size() != 4) return std::nullopt;
  const auto speed = ParseSpeed(parts[0]);
  const auto parity = ParseParity(parts[1]);
  const auto stop_bits = ParseStopBits(parts[3]);
  const std::string_view data = parts[2];
  if (!speed || !parity || !stop_bits || data.size() != 1 || data[0] < '5' || data[0] > '8') {
    return std::nullopt;
  }
  return LineSettings{
      .speed = *speed, .parity = *parity, .data_bits = data[0] - '0', .stop_bits = *stop_bits};
}

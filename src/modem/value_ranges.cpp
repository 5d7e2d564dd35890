#include "modem/value_ranges.h"

#include <algorithm>

#include "modem/reply_fields.h"

std::vector<ValueRange> ParseValueRanges(std::string_view text) {
  std::vector<ValueRange> ranges;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of(",;");
    std::string_view part = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    while (!part.empty() && (part.front() == ' ' || part.front() == '(')) part.remove_prefix(1);
    while (!part.empty() && (part.back() == ' ' || part.back() == ')')) part.remove_suffix(1);
    const std::size_t dash = part.find('-', 1);
    const auto low = ParseNumber(part.substr(0, dash));
    const auto high = dash == std::string_view::npos ? low : ParseNumber(part.substr(dash + 1));
    if (low && high && *low <= *high) ranges.push_back({*low, *high});
  }
  return ranges;
}

bool Offers(const std::vector<ValueRange>& ranges, int value) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [value](const ValueRange& r) { return r.low <= value && value <= r.high; });
}

std::optional<int> LargestUpTo(const std::vector<ValueRange>& ranges, int wanted) {
  std::optional<int> best;
  for (const ValueRange& r : ranges) {
    if (r.low > wanted) continue;
    const int value = std::min(r.high, wanted);
    if (!best || value > *best) best = value;
  }
  return best;
}

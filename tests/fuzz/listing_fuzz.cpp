// The modem's listings of what it offers: the answers to "AT+VLS=?", "AT+VSM=?" and a timer's
// "=?". The input's lines are the listing; its first line's number is the value wanted.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/voice_codings.h"
#include "modem/compression_listing.h"
#include "modem/device_listing.h"
#include "modem/reply_fields.h"
#include "modem/value_ranges.h"
#include "modem/voice_coding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    lines.emplace_back(input.substr(start, end - start));
    start = end + 1;
  }
  const int wanted = ParseNumber(lines.front()).value_or(255);

  for (const DeviceConfiguration& device : ParseDeviceListing(lines)) {
    FUZZ_CHECK(FindLabel(ParseDeviceListing(lines), device.primitives).has_value());
  }
  for (const std::string& line : lines) {
    const std::vector<ValueRange> ranges = ParseValueRanges(WithoutPrefix(line, "+VRN"));
    for (const ValueRange& range : ranges) FUZZ_CHECK(range.low <= range.high);
    if (const auto value = LargestUpTo(ranges, wanted)) {
      FUZZ_CHECK(*value <= wanted && Offers(ranges, *value));
    }
  }
  const std::vector<CompressionMethod> methods = ParseCompressionListing(lines);
  for (const Coding& coding : kCodings) {
    const VoiceCoding chosen{.name = std::string(coding.name), .rate = 8000};
    if (const auto method = ChooseMethod(methods, chosen)) {
      FUZZ_CHECK(method->bits == coding.bits && Offers(method->rates, 8000));
    }
  }
  return 0;
}

#include "modem/compression_listing.h"

#include "modem/reply_fields.h"

std::vector<CompressionMethod> ParseCompressionListing(const std::vector<std::string>& lines) {
  std::vector<CompressionMethod> methods;
  for (const std::string& line : lines) {
    const std::vector<std::string_view> fields = SplitFields(WithoutPrefix(line, "+VSM"));
    if (fields.size() < 5) continue;
    const auto number = ParseNumber(fields[0]);
    // Some modems leave the name unquoted.
    const std::string_view name = Unquote(fields[1]).value_or(fields[1]);
    if (number) {
      methods.push_back({*number, std::string(name), ParseNumber(fields[2]).value_or(0),
                         ParseValueRanges(fields[4])});
    }
  }
  return methods;
}

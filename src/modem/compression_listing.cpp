#include "modem/compression_listing.h"

#include "modem/reply_fields.h"

std::vector<CompressionMethod> ParseCompressionListing(const std::vector<std::string>& lines) {
  std::vector<CompressionMethod> methods;
  for (const std::string& line : lines) {
    const std::vector<std::string_view> fields = SplitFields(WithoutPrefix(line, "+VSM"));
    if (fields.size() < 5) continue;
    const auto number = ParseNumber(fields[0]);
    std::string_view name = fields[1];
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
      name = name.substr(1, name.size() - 2);
    }
    if (number) methods.push_back({*number, std::string(name), ParseValueRanges(fields[4])});
  }
  return methods;
}

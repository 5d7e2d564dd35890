#include "modem/device_listing.h"

#include "modem/reply_fields.h"

std::vector<DeviceConfiguration> ParseDeviceListing(const std::vector<std::string>& lines) {
  std::vector<DeviceConfiguration> listing;
  for (const std::string& line : lines) {
    const std::vector<std::string_view> fields = SplitFields(WithoutPrefix(line, "+VLS"));
    if (fields.size() < 2) continue;
    const auto label = ParseNumber(fields[0]);
    const auto primitives = Unquote(fields[1]);
    if (label && primitives) listing.push_back({*label, std::string(*primitives)});
  }
  return listing;
}

std::optional<int> FindLabel(const std::vector<DeviceConfiguration>& listing,
                             std::string_view primitives) {
  for (const DeviceConfiguration& configuration : listing) {
    if (configuration.primitives == primitives) return configuration.label;
  }
  return std::nullopt;
}

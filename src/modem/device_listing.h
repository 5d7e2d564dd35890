#pragma once
// The modem's answer to "AT+VLS=?": one line per device configuration,
// `<label>,"<primitives>",<masks>...`, with or without a leading "+VLS: ". The primitives say
// what the configuration connects: "T" the telephone line, "L" the local telephone, "H" a
// handset, "S" the speaker, "M" the microphone, and combinations of them. Labels differ between
// modems, so a configuration is chosen by its primitives.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DeviceConfiguration {
  int label;
  std::string primitives;
};

// The configurations among `lines`; lines of another form are left out.
std::vector<DeviceConfiguration> ParseDeviceListing(const std::vector<std::string>& lines);

// The label of the configuration whose primitives are exactly `primitives`.
std::optional<int> FindLabel(const std::vector<DeviceConfiguration>& listing,
                             std::string_view primitives);

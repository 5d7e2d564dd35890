#include "modem/caller_id.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 5> kKeys{"DATE", "TIME", "NMBR", "NAME", "MESG"};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The caller's file has a line per field: no control character of the modem's may break one.
std::string Printable(std::string_view value) {
  std::string out;
  for (const char c : value) {
    if (static_cast<unsigned char>(c) >= ' ' && c != '\x7f') out += c;
  }
  return out;
}

}  // namespace

void CallerIdReport::Take(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view key = Trim(line.substr(0, equals));
  if (std::ranges::find(kKeys, key) == kKeys.end()) return;
  const std::string value = Printable(Trim(line.substr(equals + 1)));
  const auto known = std::ranges::find(fields_, key, &CallerIdField::key);
  if (known != fields_.end()) {
    known->value = value;
  } else {
    fields_.push_back({std::string(key), value});
  }
}

std::string CallerIdReport::FileText() const {
  std::string text;
  for (const CallerIdField& field : fields_) text += field.key + "=" + field.value + "\r\n";
  return text;
}

std::string CallerIdReport::ConsoleText() const {
  std::string text;
  for (const CallerIdField& field : fields_) {
    text += (text.empty() ? "" : " ") + field.key + "=" + field.value;
  }
  return text;
}

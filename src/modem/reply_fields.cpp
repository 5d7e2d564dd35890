#include "modem/reply_fields.h"

#include <charconv>

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string_view WithoutPrefix(std::string_view line, std::string_view name) {
  line = Trim(line);
  if (!line.starts_with(name) || line.substr(name.size()).substr(0, 1) != ":") return line;
  return Trim(line.substr(name.size() + 1));
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  bool quoted = false;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    if (c == ',' && depth == 0) {
      fields.push_back(Trim(line.substr(start, i - start)));
      start = i + 1;
    }
  }
  fields.push_back(Trim(line.substr(start)));
  return fields;
}

std::optional<std::string_view> Unquote(std::string_view field) {
  if (field.size() < 2 || field.front() != '"' || field.back() != '"') return std::nullopt;
  return field.substr(1, field.size() - 2);
}

std::optional<int> ParseNumber(std::string_view field) {
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size()) return {};
  return value;
}

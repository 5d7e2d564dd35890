#include "support/modem_log.h"

namespace {
// Splits "<ms> <event>"; false for a line of another form.
bool Split(const std::string& line, long long& ms, std::string_view& event) {
  const auto blank = line.find(' ');
  if (blank == std::string::npos || blank == 0) return false;
  ms = std::stoll(line.substr(0, blank));
  event = std::string_view(line).substr(blank + 1);
  return true;
}

constexpr std::string_view kCommand = "command ";
}  // namespace

std::vector<std::string> Commands(const std::vector<std::string>& log) {
  std::vector<std::string> commands;
  for (const std::string& line : log) {
    long long ms = 0;
    std::string_view event;
    if (Split(line, ms, event) && event.starts_with(kCommand)) {
      commands.emplace_back(event.substr(kCommand.size()));
    }
  }
  return commands;
}

long long CommandTime(const std::vector<std::string>& log, std::string_view command) {
  for (const std::string& line : log) {
    long long ms = 0;
    std::string_view event;
    if (Split(line, ms, event) && event.starts_with(kCommand) &&
        event.substr(kCommand.size()) == command) {
      return ms;
    }
  }
  return -1;
}

long long EventTime(const std::vector<std::string>& log, std::string_view event_start) {
  for (const std::string& line : log) {
    long long ms = 0;
    std::string_view event;
    if (Split(line, ms, event) && event.starts_with(event_start)) return ms;
  }
  return -1;
}

#include "modem_log.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {
constexpr std::string_view kCommand = "command ";
}  // namespace

ModemLog::ModemLog(std::string_view text) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    std::chrono::milliseconds::rep ms = 0;
    const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), ms);
    const auto digits = static_cast<std::size_t>(rest - line.data());
    if (error != std::errc() || line.front() == '-' || digits >= line.size() ||
        line[digits] != ' ') {
      throw std::runtime_error("modem log: not \"<ms> <event>\": \"" + std::string(line) + "\"");
    }
    events_.push_back({std::chrono::milliseconds(ms), std::string(line.substr(digits + 1))});
  }
}

ModemLog ModemLog::Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return ModemLog(
      std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

std::vector<std::string> ModemLog::Commands() const {
  std::vector<std::string> commands;
  for (const ModemEvent& event : events_) {
    if (event.text.starts_with(kCommand)) commands.push_back(event.text.substr(kCommand.size()));
  }
  return commands;
}

std::chrono::milliseconds ModemLog::CommandTime(std::string_view command) const {
  for (const ModemEvent& event : events_) {
    if (event.text.starts_with(kCommand) &&
        std::string_view(event.text).substr(kCommand.size()) == command) {
      return event.at;
    }
  }
  return std::chrono::milliseconds(-1);
}

std::chrono::milliseconds ModemLog::EventTime(std::string_view start) const {
  for (const ModemEvent& event : events_) {
    if (event.text.starts_with(start)) return event.at;
  }
  return std::chrono::milliseconds(-1);
}

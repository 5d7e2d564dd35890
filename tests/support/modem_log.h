#pragma once
// The log vmodem writes with --log: one line per event, "<ms since start> <event>", for
// example "1520 command ATZ" or "3001 voice-tx end 6 bytes".
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct ModemEvent {
  std::chrono::milliseconds at{0};  // since vmodem started
  std::string text;
};

class ModemLog {
 public:
  // Throws std::runtime_error, naming the line, for a line of another form.
  explicit ModemLog(std::string_view text);
  // An absent file reads as an empty log.
  static ModemLog Read(const std::filesystem::path& file);

  const std::vector<ModemEvent>& Events() const { return events_; }
  // The command lines the modem received, in order.
  std::vector<std::string> Commands() const;
  // The time of the first command line equal to `command`, or -1 ms.
  std::chrono::milliseconds CommandTime(std::string_view command) const;
  // The time of the first event that begins with `start` ("voice-tx end"), or -1 ms.
  std::chrono::milliseconds EventTime(std::string_view start) const;

 private:
  std::vector<ModemEvent> events_;
};

#pragma once
// Reading vmodem's log: one line per event, "<ms since start> <event>".
#include <string>
#include <string_view>
#include <vector>

// The command lines the modem received, in order.
std::vector<std::string> Commands(const std::vector<std::string>& log);

// The time of the first command line equal to `command`, or -1.
long long CommandTime(const std::vector<std::string>& log, std::string_view command);

// The time of the first event that begins with `event` ("voice-tx end"), or -1.
long long EventTime(const std::vector<std::string>& log, std::string_view event);

#pragma once
// The fields of a modem's answer to a "=?" query, e.g. `131,"ULAW",8,0,(7200,8000),(0),(0)`.
// Some modems put the command's name before the answer (`+VSM: 131,"ULAW",...`), some do not.
#include <optional>
#include <string_view>
#include <vector>

// `line` without a leading `name` + ":" and the blanks after it, when it has one.
std::string_view WithoutPrefix(std::string_view line, std::string_view name);

// The comma-separated fields of `line`, trimmed of blanks; a comma inside double quotes or
// parentheses does not separate.
std::vector<std::string_view> SplitFields(std::string_view line);

// A double-quoted field without its quotes; nothing unless it is quoted.
std::optional<std::string_view> Unquote(std::string_view field);
// `field` as a whole number; nothing unless it is one.
std::optional<int> ParseNumber(std::string_view field);

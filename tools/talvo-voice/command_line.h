#pragma once
// talvo-voice's command line:
//   talvo-voice import IN OUT [--coding C] [--rate HZ] [--line BPS]
//   talvo-voice export IN OUT.wav [--coding C] [--rate HZ] [--force]
//   talvo-voice info FILE [--coding C] [--rate HZ]
// Options may stand before, between or after the file names.
#include <filesystem>
#include <span>
#include <string_view>

#include "codings.h"

// What talvo asks a modem for unless told otherwise, and the fastest line speed of talvo's
// default command set.
inline constexpr std::string_view kDefaultCoding = "u8";
inline constexpr int kDefaultRate = 8000;
inline constexpr int kDefaultLine = 38400;

enum class Action { kImport, kExport, kInfo };

struct CommandLine {
  Action action;
  std::filesystem::path in;
  std::filesystem::path out;  // empty for info
  const Coding* coding;
  int rate;
  int line;    // bit/s; import only
  bool force;  // export only: take a file without DLE ETX
};

// Throws ToolError for anything that is not one of the forms above.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The --help text.
extern const char kHelp[];

#include "command_line.h"

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "tool_error.h"

const char kHelp[] =
    "Usage: talvo-voice import IN OUT [--coding C] [--rate HZ] [--line BPS]\n"
    "       talvo-voice export IN OUT.wav [--coding C] [--rate HZ] [--force]\n"
    "       talvo-voice info FILE [--coding C] [--rate HZ]\n"
    "Converts between audio files and talvo's voice files: the modem's voice data with every\n"
    "DLE (byte 16) doubled and DLE ETX at the end.\n"
    "  import      any audio file libsndfile reads (channels mixed to mono) to a voice file;\n"
    "              warns when talvo would cut it or the line cannot carry it in real time\n"
    "  export      a voice file (message, prompt or recording) to a 16-bit mono WAV at HZ;\n"
    "              --force takes a file without DLE ETX (a recording cut short)\n"
    "  info        bytes, sound bytes, DLE pairs (keys, end marks) and duration\n"
    "  --coding C  the modem's coding; default u8:\n"
    "              rockwell4, rockwell3, rockwell2  Rockwell ADPCM, 4, 3 or 2 bits at 7200 Hz\n"
    "                          (the modems of talvo's default command set; 4 after a reset)\n"
    "              ima         4-bit IMA ADPCM (V.253 modems)\n"
    "              u8, s8      8-bit linear, unsigned or signed\n"
    "              s16         16-bit signed linear, little-endian\n"
    "              ulaw, alaw  8-bit G.711 mu-law or A-law\n"
    "              vox         4-bit OKI ADPCM (telephony boards, not modems)\n"
    "  --rate HZ   samples per second, 1000 to 192000; default 8000, or the one rate of a\n"
    "              coding that has only one\n"
    "  --line BPS  the serial line's speed in bit/s (10 bits a byte); default 38400,\n"
    "              the fastest of talvo's default command set (115200 for the V.253 set)\n"
    "  --help, -h  this text\n"
    "  --version   the version\n"
    "Exit status: 0 on success (warnings included), 2 on any error.\n";

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 192000;

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

[[noreturn]] void Usage(const std::string& what) {
  throw ToolError(what + " (see talvo-voice --help)");
}

std::optional<Action> FindAction(std::string_view word) {
  if (word == "import") return Action::kImport;
  if (word == "export") return Action::kExport;
  if (word == "info") return Action::kInfo;
  return std::nullopt;
}

std::string CodingNames() {
  std::string names;
  for (const Coding& coding : kCodings) {
    if (!names.empty()) names += ", ";
    names += coding.name;
  }
  return names;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  if (args.empty()) Usage("no command");
  const std::optional<Action> action = FindAction(args[0]);
  if (!action) Usage("unknown command \"" + std::string(args[0]) + "\"");
  CommandLine command{.action = *action,
                      .in = {},
                      .out = {},
                      .coding = FindCoding(kDefaultCoding),
                      .rate = 0,
                      .line = kDefaultLine,
                      .force = false};
  std::optional<int> rate;
  std::vector<std::string_view> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!arg.starts_with("--")) {
      files.push_back(arg);
      continue;
    }
    if (arg == "--force" && command.action == Action::kExport) {
      command.force = true;
      continue;
    }
    if (i + 1 == args.size()) Usage(std::string(arg) + " needs a value");
    const std::string_view value = args[++i];
    if (arg == "--coding") {
      command.coding = FindCoding(value);
      // Once our name for OKI ADPCM, which no voice modem uses.
      if (value == "adpcm4") {
        Usage(
            "there is no coding \"adpcm4\" any more: the modems of the # command set use "
            "rockwell4, and the old adpcm4 (OKI ADPCM of telephony boards) is vox");
      }
      if (!command.coding) {
        Usage("unknown coding \"" + std::string(value) + "\"; the codings are " + CodingNames());
      }
    } else if (arg == "--rate") {
      rate = WholeNumber(value);
      if (!rate || *rate < kMinRate || *rate > kMaxRate) {
        Usage("bad rate \"" + std::string(value) + "\": a whole number of Hz from " +
              std::to_string(kMinRate) + " to " + std::to_string(kMaxRate));
      }
    } else if (arg == "--line" && command.action == Action::kImport) {
      const std::optional<int> line = WholeNumber(value);
      if (!line || *line <= 0) {
        Usage("bad line speed \"" + std::string(value) + "\": a whole number of bit/s");
      }
      command.line = *line;
    } else {
      Usage("unknown option " + std::string(arg) + " for " + std::string(args[0]));
    }
  }
  if (const int only = command.coding->only_rate) {
    if (rate && *rate != only) {
      Usage(std::string(command.coding->name) + " exists at " + std::to_string(only) +
            " Hz only, not at " + std::to_string(*rate) + " Hz");
    }
    rate = only;
  }
  command.rate = rate.value_or(kDefaultRate);
  const std::size_t wanted = command.action == Action::kInfo ? 1 : 2;
  if (files.size() != wanted) {
    Usage(std::string(args[0]) + " takes " + (wanted == 1 ? "one file" : "two files"));
  }
  command.in = files[0];
  if (wanted == 2) command.out = files[1];
  return command;
}

// talvo-voice: makes talvo's voice files from audio files, and audio files from them.
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::printf("talvo-voice %s\n", TALVO_VERSION);
    return 0;
  }
  try {
    const CommandLine command = ParseCommandLine(args);
    switch (command.action) {
      case Action::kImport:
        RunImport(command);
        break;
      case Action::kExport:
        RunExport(command);
        break;
      case Action::kInfo:
        RunInfo(command);
        break;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "talvo-voice: %s\n", e.what());
    return 2;
  }
  return 0;
}

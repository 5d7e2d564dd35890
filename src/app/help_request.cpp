#include "app/help_request.h"

#include <cstdio>

namespace {
constexpr char kUsage[] =
    "Usage: talvo COMMAND_LINE\n"
    "Runs one voice-telephony job on a modem and leaves its result in job files in the current\n"
    "directory. The arguments, joined by single blanks, are the command line; its characters\n"
    "count from 1:\n"
    "  1    1: show every byte the modem sends on the console\n"
    "  2    modem type: 0 = 19200 bit/s, 1 = 38400 bit/s, other digits 9600 bit/s\n"
    "  3    source: 0 = wait for a call, 1 = the handset, other = the modem's speaker path\n"
    "  4    dial modifier put between ATD and the number (T, P, ...); N = none\n"
    "  5    window: 0 normal, 1 minimised, 2 maximised\n"
    "  6    job identifier n: job files talvin_n, talvin2_n, trace_n, params_n; port COMn\n"
    "  7-   the number to dial, or SPEAKER; a command line of exactly six characters records\n"
    "COMn is the device in the environment variable TALVO_COM<n>, else /dev/ttyS<n-1>.\n"
    "TALVO_COMMAND_SET is hash (the # voice commands, the default) or v253; for v253,\n"
    "TALVO_VOICE_CODING (u8, s8, s16, ulaw, alaw, ima, rockwell2, rockwell4) and\n"
    "TALVO_VOICE_RATE (Hz, default 8000) choose the coding the modem is asked for; at the port's\n"
    "115200 bit/s a coding may move at most 11520 bytes a second (s16 up to 5760 Hz).\n"
    "Wait for talvin2_n: talvin_n then holds the recording or the outcome line $...$.\n"
    "\n"
    "  talvo --help, -h   this text\n"
    "  talvo --version    the version\n";
}  // namespace

std::optional<int> AnswerHelpRequest(const std::vector<std::string>& args) {
  // An empty command line names no job: no job files to name after it.
  if (args.empty() || (args.size() == 1 && args[0].empty())) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (args.size() != 1) return std::nullopt;
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args[0] == "--version") {
    std::printf("talvo %s\n", TALVO_VERSION);
    return 0;
  }
  return std::nullopt;
}

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
    "TALVO_VOICE_CODING (u8, ulaw, alaw) and TALVO_VOICE_RATE (Hz, default 8000) choose the\n"
    "coding the modem is asked for.\n"
    "Wait for talvin2_n: talvin_n then holds the recording or the outcome line $...$.\n"
    "\n"
    "  talvo --help, -h   this text\n"
    "  talvo --version    the version\n";
}  // namespace

bool AnswerHelpRequest(const std::vector<std::string>& args) {
  if (args.size() != 1) return false;
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (args[0] == "--version") {
    std::printf("talvo %s\n", TALVO_VERSION);
    return true;
  }
  return false;
}

#include <cctype>
#include <cstdio>
#include <string>

#include "commands.h"
#include "core/dle.h"
#include "files.h"
#include "voice_framing.h"

namespace {

// Event characters as the modem sends them: printable ones as they are, others in hex.
std::string Characters(std::string_view events) {
  if (events.empty()) return "none";
  std::string text;
  for (const char c : events) {
    if (!text.empty()) text += ' ';
    const auto byte = static_cast<unsigned char>(c);
    if (std::isgraph(byte)) {
      text += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02x", byte);
      text += hex;
    }
  }
  return text;
}

}  // namespace

void RunInfo(const CommandLine& command) {
  const std::string file = ReadWholeFile(command.in);
  const VoiceContents contents = UnframeVoice(file);
  const std::size_t pairs =
      contents.keys.size() + contents.end_reports.size() + (contents.etx_at ? 1 : 0);
  std::printf("bytes: %zu\n", file.size());
  std::printf("sound bytes: %zu\n", contents.sound.size());
  std::printf("DLE pairs: %zu\n", pairs);
  std::printf("keys: %s\n", Characters(contents.keys).c_str());
  std::printf("end reports: %s\n", Characters(contents.end_reports).c_str());
  if (contents.etx_at) {
    std::printf("DLE ETX: after %zu bytes, %zu bytes follow it\n", *contents.etx_at,
                file.size() - *contents.etx_at - kDleEtx.size());
  } else {
    std::printf("DLE ETX: none\n");
  }
  std::printf("duration: %.3f s (%s at %d Hz)\n",
              contents.sound.size() / ByteRate(*command.coding, command.rate),
              std::string(command.coding->name).c_str(), command.rate);
}

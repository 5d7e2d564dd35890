#include "voice/key_reader.h"

#include <string>

#include "voice/dle_scan.h"

std::optional<char> KeyReader::Feed(char byte) {
  if (after_dle_) {
    after_dle_ = false;
    return byte;
  }
  after_dle_ = byte == kDle;
  return std::nullopt;
}

std::optional<char> KeyReader::ReadWaiting(JobContext& ctx, CommandEngine& engine) {
  ctx.serial.SetInputLen(1);
  while (ctx.serial.InBufferCount() > 0) {
    const std::string got = ctx.serial.Input();
    if (got.empty()) break;
    engine.Echo(got);
    if (const auto key = Feed(got[0])) return key;
  }
  return std::nullopt;
}

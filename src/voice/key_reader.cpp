#include "voice/key_reader.h"

#include <string>

#include "modem/serial_control.h"

std::optional<KeyReport> ReadKeyReport(JobContext& ctx, CommandEngine& engine, DleDecoder& dle) {
  ctx.serial.SetInputLen(1);
  while (ctx.serial.InBufferCount() > 0) {
    const std::string got = ctx.serial.Input();
    if (got.empty()) break;
    engine.Echo(got);
    const auto item = dle.Feed(got[0]);
    if (item) {
      if (const std::optional<KeyReport> report = AsKeyReport(*item)) return report;
    }
  }
  return std::nullopt;
}

#include "voice/key_reader.h"

std::optional<KeyReport> ReadKeyReport(CommandEngine& engine, DleDecoder& dle) {
  while (const std::optional<char> byte = engine.ReadByte()) {
    const auto item = dle.Feed(*byte);
    if (item) {
      if (const std::optional<KeyReport> report = AsKeyReport(*item)) return report;
    }
  }
  return std::nullopt;
}

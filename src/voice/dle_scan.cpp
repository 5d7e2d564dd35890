#include "voice/dle_scan.h"

std::optional<std::size_t> FindDleSequence(std::string_view data, char code) {
  std::size_t at = data.find(kDle);
  while (at != std::string_view::npos && at + 1 < data.size()) {
    if (data[at + 1] == code) return at;
    // Whatever follows a DLE belongs to it: a shielded data byte 16 or another sequence.
    at = data.find(kDle, at + 2);
  }
  return std::nullopt;
}

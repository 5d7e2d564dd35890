#pragma once
// A voice file is the modem's voice data as it travels on the line: a data byte 16 (DLE) is
// doubled, DLE ETX ends the data, and the modem's events come as DLE + a character (a key, an
// end report). Framing adds the doubling and the end; unframing takes the sound back out and
// keeps account of the events it passes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// `sound` with every DLE doubled and DLE ETX appended.
std::string FrameVoice(std::string_view sound);

struct VoiceContents {
  std::string sound;                  // the data bytes, each DLE DLE taken as one byte 16
  std::string keys;                   // the characters of DLE + key pairs, in order
  std::string end_reports;            // the characters of DLE "s" / DLE "q" pairs, in order
  std::optional<std::size_t> etx_at;  // 0-based index of the DLE of the first DLE ETX
};

// Reads `file` up to its first DLE ETX (or its end); a DLE left open at the end is dropped.
VoiceContents UnframeVoice(std::string_view file);

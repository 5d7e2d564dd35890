#pragma once
// How the converter codes each voice coding of talvo's table (core/voice_codings.h): the
// modems' raw sample formats. A voice file has no header, so the coding and the sample rate are
// the user's to name; they must be the ones the modem uses after its reset. Every coding works
// on 16-bit samples and gives the same bytes as the modems (and the standards) do for them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/voice_codings.h"

struct Codec {
  std::string_view coding;  // the table's name of it
  std::string (*encode)(std::span<const std::int16_t> samples);
  std::vector<std::int16_t> (*decode)(std::string_view bytes);
};

const Codec& CodecOf(const Coding& coding);

// Bytes per second of voice data in `coding` at `rate` samples per second.
double ByteRate(const Coding& coding, int rate);

#pragma once
// The codings a voice file can hold: the modems' raw sample formats. A voice file has no
// header, so the coding and the sample rate are the user's to name; they must be the ones the
// modem uses after its reset. Every coding works on 16-bit samples and gives the same bytes as
// the modems (and the standards) do for them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct Coding {
  std::string_view name;
  int bits;       // per sample
  int only_rate;  // the one rate, in Hz, that the coding exists at; 0 for any
  std::string (*encode)(std::span<const std::int16_t> samples);
  std::vector<std::int16_t> (*decode)(std::string_view bytes);
};

std::span<const Coding> Codings();

// The coding called `name`, or nullptr.
const Coding* FindCoding(std::string_view name);

// Bytes per second of voice data in `coding` at `rate` samples per second.
double ByteRate(const Coding& coding, int rate);

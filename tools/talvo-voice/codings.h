#pragma once
// The codings a voice file can hold: the modem's raw sample formats, as libsndfile encodes and
// decodes them. A voice file has no header, so the coding and the sample rate are the user's
// to name; they must be the ones the modem uses after its reset.
#include <span>
#include <string_view>

struct Coding {
  std::string_view name;
  int sf_subformat;  // with SF_FORMAT_RAW, mono
  int bits;          // per sample
  std::string_view description;
};

std::span<const Coding> Codings();

// The coding called `name`, or nullptr.
const Coding* FindCoding(std::string_view name);

// Bytes per second of voice data in `coding` at `rate` samples per second.
double ByteRate(const Coding& coding, int rate);

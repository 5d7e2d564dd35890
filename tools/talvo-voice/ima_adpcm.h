#pragma once
// 4-bit IMA ADPCM as V.253 modems send it: one stream with no block headers, the predictor and
// the step index starting at 0, two samples a byte with the first in the low nibble.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// `samples` as IMA ADPCM; an odd last sample has a zero nibble as its partner.
std::string EncodeIma(std::span<const std::int16_t> samples);

// The samples of `bytes` of IMA ADPCM, two a byte.
std::vector<std::int16_t> DecodeIma(std::string_view bytes);

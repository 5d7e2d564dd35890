#pragma once
// libsndfile's encoders and decoders over bytes in memory (its virtual I/O), so that a voice
// file can be framed after encoding and unframed before decoding, and an output is complete
// before it is written. Samples are 16-bit: libsndfile's 16-bit paths give the modems' codes,
// where its floating-point paths round some samples to the neighbouring code.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Mono `samples` at `rate`, encoded as libsndfile's `format` (container | subformat).
std::string EncodeSound(std::span<const std::int16_t> samples, int rate, int format);

// Headerless mono data in libsndfile's `format` (SF_FORMAT_RAW | subformat) at `rate`, decoded.
std::vector<std::int16_t> DecodeRawSound(std::string_view bytes, int rate, int format);

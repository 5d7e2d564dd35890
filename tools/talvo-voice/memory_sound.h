#pragma once
// libsndfile's encoders and decoders over bytes in memory (its virtual I/O), so that a voice
// file can be framed after encoding and unframed before decoding, and an output is complete
// before it is written.
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Mono `samples` at `rate`, encoded as libsndfile's `format` (container | subformat). Samples
// beyond full scale are clipped.
std::string EncodeSound(std::span<const float> samples, int rate, int format);

// Headerless mono data in libsndfile's `format` (SF_FORMAT_RAW | subformat) at `rate`, decoded.
std::vector<float> DecodeRawSound(std::string_view bytes, int rate, int format);

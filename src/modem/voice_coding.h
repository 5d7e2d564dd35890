#pragma once
// The voice coding a caller asks for, by the names the voice-file converter uses ("u8", "s8",
// "s16", "ulaw", "alaw", "ima", "rockwell2", "rockwell4"), and its sampling rate in Hz. A modem
// lists its compression methods by names of its own ("UNSIGNED PCM", "U-LAW", "µ-law", "2 Bit
// ADPCM"...) with their bits per sample: a method is the coding when its name, case and
// punctuation aside, is one of the coding's names, its bits are the coding's, and it offers the
// rate. The bits tell the codings apart that share a name ("SIGNED PCM" of 8 or 16 bits).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modem/compression_listing.h"

struct VoiceCoding {
  std::string name;
  int rate;
};

// From the environment's texts; a null text takes the default ("u8", 8000). Nothing for a
// name it does not know or a rate that is not a positive whole number.
std::optional<VoiceCoding> ParseVoiceCoding(const char* name, const char* rate);

// The bytes a second `coding` moves at its rate.
long long BytesPerSecond(const VoiceCoding& coding);

// The first listed method that is `coding` at its rate.
std::optional<CompressionMethod> ChooseMethod(const std::vector<CompressionMethod>& methods,
                                              const VoiceCoding& coding);

#pragma once
// The voice coding a caller asks for, by the names the voice-file converter uses ("u8",
// "ulaw", "alaw"), and its sampling rate in Hz. A modem lists its compression methods by
// names of its own ("UNSIGNED PCM", "U-LAW", "µ-law"...): a method is the coding when its name,
// case and punctuation aside, is one of the coding's names, and it offers the rate.
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

// The first listed method that is `coding` at its rate.
std::optional<CompressionMethod> ChooseMethod(const std::vector<CompressionMethod>& methods,
                                              const VoiceCoding& coding);

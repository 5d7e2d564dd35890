#pragma once
// The voice coding a caller asks for, by its name in the codings table (core/voice_codings.h),
// and its sampling rate in Hz; and the method of a modem's listing that is that coding: the
// first whose name is one the table gives the coding, whose bits are the coding's, and that
// offers the rate.
#include <optional>
#include <string>
#include <vector>

#include "modem/compression_listing.h"

struct VoiceCoding {
  std::string name;
  int rate;
};

// From the environment's texts; a null text takes the default ("u8", 8000). Nothing for a
// coding no modem lists or a rate that is not a positive whole number.
std::optional<VoiceCoding> ParseVoiceCoding(const char* name, const char* rate);

// The codings ParseVoiceCoding takes, "u8, s8, ... or rockwell4", for a refusal.
std::string ListedCodingNames();

// The bytes a second `coding` moves at its rate.
long long BytesPerSecond(const VoiceCoding& coding);

// The first listed method that is `coding` at its rate.
std::optional<CompressionMethod> ChooseMethod(const std::vector<CompressionMethod>& methods,
                                              const VoiceCoding& coding);

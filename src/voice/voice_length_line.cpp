#include "voice/voice_length_line.h"

#include <cstdint>

#include "console/number_format.h"

std::string VoiceLengthLine(std::size_t length) {
  return "****  Vocal message contains " + FormatDigits(static_cast<std::int64_t>(length), 6) +
         " characters  ****\r";
}

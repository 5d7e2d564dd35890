#include "alaw.h"

#include <bit>

namespace {

// A-law codes the 12-bit magnitude of a sample (the one's complement of a negative one, so that
// -1 is the smallest negative level) in segments of 16 steps, each segment above the first two
// twice as coarse as the one below. Even bits are inverted on the line.
std::uint8_t AlawOf(std::int16_t sample) {
  const unsigned magnitude = static_cast<unsigned>(sample < 0 ? ~sample : sample) >> 4;
  unsigned code = magnitude;
  if (magnitude >= 16) {
    const unsigned segment = static_cast<unsigned>(std::bit_width(magnitude)) - 4;
    code = segment << 4 | ((magnitude >> (segment - 1)) & 0x0F);
  }
  if (sample >= 0) code |= 0x80;
  return static_cast<std::uint8_t>(code ^ 0x55);
}

}  // namespace

std::string EncodeAlaw(std::span<const std::int16_t> samples) {
  std::string bytes;
  bytes.reserve(samples.size());
  for (const std::int16_t sample : samples) bytes += static_cast<char>(AlawOf(sample));
  return bytes;
}

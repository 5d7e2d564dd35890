#include "ima_adpcm.h"

// spandsp's header needs the fixed-width types and the library's declarations before it.
// clang-format off
#include <stdint.h>
#include <spandsp/telephony.h>
#include <spandsp/ima_adpcm.h>
// clang-format on

#include <memory>

// spandsp's DVI4 variant is the same coding, framed differently: each call is one block that
// starts with a 4-byte header (the predictor, the step index and a spare byte), and the first
// sample of a byte is in its high nibble. Handing it the whole sound as one block, with the
// header dropped (or a zero one added) and the nibbles swapped, gives the modems' stream.

namespace {

struct ImaStateFree {
  void operator()(ima_adpcm_state_t* state) const { ima_adpcm_free(state); }
};
using ImaState = std::unique_ptr<ima_adpcm_state_t, ImaStateFree>;

constexpr std::size_t kHeader = 4;  // a block's header: predictor 0, step index 0

ImaState NewState() {
  // A chunk size of 0 makes each call one block.
  return ImaState(ima_adpcm_init(nullptr, IMA_ADPCM_DVI4, 0));
}

std::uint8_t Swapped(std::uint8_t byte) {
  return static_cast<std::uint8_t>(byte << 4 | byte >> 4);
}

}  // namespace

std::string EncodeIma(std::span<const std::int16_t> samples) {
  // spandsp holds back an odd last sample until its partner comes: give it one and clear that
  // partner's nibble afterwards. A sample's code never depends on the samples after it.
  std::vector<std::int16_t> even(samples.begin(), samples.end());
  const bool odd = even.size() % 2 != 0;
  if (odd) even.push_back(0);
  std::vector<std::uint8_t> block(kHeader + even.size() / 2);
  const ImaState state = NewState();
  const int length =
      ima_adpcm_encode(state.get(), block.data(), even.data(), static_cast<int>(even.size()));
  std::string bytes;
  bytes.reserve(block.size() - kHeader);
  for (std::size_t i = kHeader; i < static_cast<std::size_t>(length); ++i) {
    bytes += static_cast<char>(Swapped(block[i]));
  }
  if (odd) bytes.back() = static_cast<char>(bytes.back() & 0x0F);
  return bytes;
}

std::vector<std::int16_t> DecodeIma(std::string_view bytes) {
  std::vector<std::uint8_t> block(kHeader, 0);
  block.reserve(kHeader + bytes.size());
  for (const char byte : bytes) block.push_back(Swapped(static_cast<std::uint8_t>(byte)));
  std::vector<std::int16_t> samples(bytes.size() * 2);
  const ImaState state = NewState();
  const int length =
      ima_adpcm_decode(state.get(), samples.data(), block.data(), static_cast<int>(block.size()));
  samples.resize(static_cast<std::size_t>(length));
  return samples;
}

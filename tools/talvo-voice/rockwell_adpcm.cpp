#include "rockwell_adpcm.h"

#include <algorithm>
#include <array>
#include <cstddef>

// All arithmetic is 16-bit two's complement read as fractions of 32768, with the modem's own
// saturation and wrap-around: the decoder must reproduce the modem's samples exactly, so every
// intermediate result is clipped or wrapped where the modem's is.

namespace {

using std::int16_t;
using std::int32_t;
using std::int64_t;
using std::uint16_t;
using std::uint32_t;

// The constants of one bit width; the hexadecimal words are signed 16-bit fractions.
struct Tables {
  std::span<const uint16_t> multiplier;  // the step's growth after each code
  std::span<const uint16_t> inverse;     // each code's difference, in steps
  std::span<const uint16_t> thresholds;  // the encoder's decision levels, in steps
  int16_t max_step;
  uint16_t silence_word;
};

constexpr std::array<uint16_t, 4> kMultiplier2{0x3333, 0x199A, 0x199A, 0x3333};
constexpr std::array<uint16_t, 4> kInverse2{0xCFAE, 0xF183, 0x0E7D, 0x3052};
constexpr std::array<uint16_t, 1> kThresholds2{0x1F69};
constexpr std::array<uint16_t, 8> kMultiplier3{0x3800, 0x2800, 0x1CCD, 0x1CCD,
                                               0x1CCD, 0x1CCD, 0x2800, 0x3800};
constexpr std::array<uint16_t, 8> kInverse3{0xBB23, 0xD4FE, 0xE7CF, 0xF828,
                                            0x07D8, 0x1831, 0x2B02, 0x44DD};
constexpr std::array<uint16_t, 3> kThresholds3{0x1005, 0x219A, 0x37F0};
constexpr std::array<uint16_t, 16> kMultiplier4{0x4CCD, 0x4000, 0x3333, 0x2666, 0x1CCD, 0x1CCD,
                                                0x1CCD, 0x1CCD, 0x1CCD, 0x1CCD, 0x1CCD, 0x1CCD,
                                                0x2666, 0x3333, 0x4000, 0x4CCD};
constexpr std::array<uint16_t, 16> kInverse4{0xA88B, 0xBDCB, 0xCC29, 0xD7CF, 0xE1D8, 0xEAFB,
                                             0xF395, 0xFBE4, 0x041C, 0x0C6B, 0x1505, 0x1E28,
                                             0x2831, 0x33C7, 0x4235, 0x5775};
constexpr std::array<uint16_t, 7> kThresholds4{0x0843, 0x10B8, 0x1996, 0x232B,
                                               0x2DFC, 0x3B02, 0x4CD6};

const Tables& TablesFor(int bits) {
  static const std::array<Tables, 3> tables{
      Tables{kMultiplier2, kInverse2, kThresholds2, 0x54C4, 0x13EC},
      Tables{kMultiplier3, kInverse3, kThresholds3, 0x3B7A, 0x23DE},
      Tables{kMultiplier4, kInverse4, kThresholds4, 0x2ED5, 0xC11C},
  };
  return tables.at(static_cast<std::size_t>(bits - 2));
}

constexpr int16_t kMinStep = 0x001F;
constexpr int16_t kLeak = 32113;       // 0.98: the coefficients fade without new evidence
constexpr int16_t kPoleGain = 393;     // 0.012, for a1 and a2
constexpr int16_t kZeroGain = 197;     // 0.006, for b1 ... b6
constexpr int16_t kEmphasis = 0x3333;  // 0.4
constexpr std::size_t kTaps = 8;       // a1, a2, b1 ... b6

int16_t Clip16(int64_t x) {
  return static_cast<int16_t>(std::clamp<int64_t>(x, INT16_MIN, INT16_MAX));
}
int32_t Clip32(int64_t x) {
  return static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
}
int16_t Wrap16(int64_t x) {
  return static_cast<int16_t>(x);
}
int32_t Wrap32(int64_t x) {
  return static_cast<int32_t>(x);
}
// The upper half of an accumulator.
int16_t High(int32_t s) {
  return static_cast<int16_t>(s >> 16);
}
// A product of two fractions, rounded to 16 bits (and wrapping as the modem's does).
int16_t Multiply(int16_t a, int16_t b) {
  const auto p = static_cast<uint32_t>(Wrap32(2 * int64_t{a} * b));
  return Wrap16((p >> 16) + ((p >> 15) & 1));
}

// The state that the encoder and the decoder share and update alike.
class Predictor {
 public:
  explicit Predictor(const Tables& tables) : tables_(tables) {}

  // Back to the start, except for the coefficients (which the modem keeps).
  void Reset() {
    delay_ = {};
    k_ = 0;
    step_ = kMinStep;
  }

  // The 32-bit prediction with `c` as its starting value.
  int32_t Predict(int16_t c) const {
    int32_t s = c * 65536;
    for (std::size_t i = 0; i < kTaps; ++i) {
      s = Clip32(s + int64_t{Wrap32(2 * int64_t{coefficients_[i]} * Delayed(i))});
    }
    return s;
  }

  // Adapts the step to `code` and returns the code's quantized difference.
  int16_t Step(unsigned code) {
    const int16_t before = step_;
    step_ = std::clamp(Clip16(4 * Multiply(Wrap16(tables_.multiplier[code]), before)), kMinStep,
                       tables_.max_step);
    return Clip16(4 * Multiply(Wrap16(tables_.inverse[code]), before));
  }

  // The encoder's decision level `i` at the present step.
  int16_t Threshold(std::size_t i) const {
    return Clip16(4 * Multiply(Wrap16(tables_.thresholds[i]), step_));
  }

  // Learns from the difference `q`, then moves the delay line on by the sample `y`.
  void Advance(int16_t y, int16_t q) {
    for (std::size_t i = 0; i < kTaps; ++i) {
      const int16_t gain = i < 2 ? kPoleGain : kZeroGain;
      const int sign = Multiply(q, Delayed(i)) < 0 ? -1 : 1;
      coefficients_[i] = Clip16(Multiply(coefficients_[i], kLeak) + gain * sign);
    }
    k_ = (k_ + kTaps - 1) % kTaps;
    delay_[k_] = y;
    delay_[(k_ + 2) % kTaps] = q;
  }

 private:
  int16_t Delayed(std::size_t i) const { return delay_[(k_ + i) % kTaps]; }

  const Tables& tables_;
  std::array<int16_t, kTaps> coefficients_{};
  std::array<int16_t, kTaps> delay_{};
  std::size_t k_ = 0;
  int16_t step_ = kMinStep;
};

class Encoder {
 public:
  explicit Encoder(const Tables& tables) : predictor_(tables), levels_(tables.thresholds.size()) {}

  unsigned Code(int16_t x) {
    const int32_t guess = predictor_.Predict(0);
    const int32_t emphasized = Clip32(guess + int64_t{Wrap32(2 * int64_t{previous_} * kEmphasis)});
    const int16_t delta = Clip16(High(emphasized) - x);
    previous_ = x;
    // |delta| and its sign as the modem takes them: -32768 stays negative.
    const int16_t magnitude = Wrap16(delta < 0 ? -delta : delta);
    const bool below = Wrap16(-delta) < 0;
    std::size_t level = 0;
    while (level < levels_ && magnitude >= predictor_.Threshold(level)) ++level;
    ++level;
    const auto code = static_cast<unsigned>(below ? levels_ + 1 - level : levels_ + level);
    const int16_t q = predictor_.Step(code);
    predictor_.Advance(Clip16(High(guess) + q), q);
    return code;
  }

 private:
  Predictor predictor_;
  std::size_t levels_;
  int16_t previous_ = 0;
};

class Decoder {
 public:
  explicit Decoder(const Tables& tables) : predictor_(tables) {}

  void Reset() {
    predictor_.Reset();
    emphasis_ = 0;
  }

  int16_t Sample(unsigned code) {
    const int16_t q = predictor_.Step(code);
    int32_t s = predictor_.Predict(q);
    const int16_t y = High(s);
    s = Clip32(s + int64_t{Wrap32(2 * int64_t{kEmphasis} * emphasis_)});
    emphasis_ = High(s);
    predictor_.Advance(y, q);
    return emphasis_;
  }

 private:
  Predictor predictor_;
  int16_t emphasis_ = 0;
};

}  // namespace

std::string EncodeRockwell(std::span<const int16_t> samples, int bits) {
  Encoder encoder(TablesFor(bits));
  std::string bytes;
  bytes.reserve((samples.size() * static_cast<std::size_t>(bits) + 7) / 8);
  uint32_t pending = 0;  // codes not yet in a whole byte, the earliest lowest
  int pending_bits = 0;
  for (const int16_t x : samples) {
    pending |= encoder.Code(x) << pending_bits;
    pending_bits += bits;
    if (pending_bits >= 8) {
      bytes += static_cast<char>(pending & 0xFF);
      pending >>= 8;
      pending_bits -= 8;
    }
  }
  if (pending_bits > 0) bytes += static_cast<char>(pending);
  return bytes;
}

std::vector<int16_t> DecodeRockwell(std::string_view bytes, int bits) {
  const Tables& tables = TablesFor(bits);
  Decoder decoder(tables);
  std::vector<int16_t> samples;
  samples.reserve(bytes.size() * 8 / static_cast<std::size_t>(bits));
  const auto byte = [&](std::size_t i) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[i]));
  };
  const uint32_t mask = (1u << bits) - 1;
  uint32_t unused = 0;  // bits read but not yet decoded, the earliest lowest
  int unused_bits = 0;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (at + 1 == bytes.size()) {
      unused |= byte(at++) << unused_bits;
      unused_bits += 8;
    } else {
      const uint32_t word = byte(at) | byte(at + 1) << 8;
      at += 2;
      if (word == tables.silence_word) {
        if (at + 1 >= bytes.size()) break;
        // The count is of half samples: a count of n stands for n / 2 silent samples.
        const std::size_t zeros = (byte(at) | byte(at + 1) << 8) / 2;
        samples.insert(samples.end(), zeros, int16_t{0});
        at += 2;
        decoder.Reset();
        unused = 0;
        unused_bits = 0;
        continue;
      }
      unused |= word << unused_bits;
      unused_bits += 16;
    }
    for (; unused_bits >= bits; unused_bits -= bits, unused >>= bits) {
      samples.push_back(decoder.Sample(unused & mask));
    }
  }
  return samples;
}

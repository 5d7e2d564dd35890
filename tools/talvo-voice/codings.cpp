#include "codings.h"

#include <sndfile.h>

#include <algorithm>
#include <array>

#include "alaw.h"
#include "ima_adpcm.h"
#include "memory_sound.h"
#include "rockwell_adpcm.h"

namespace {

// libsndfile wants a rate for raw data, though no coding of it depends on the rate.
constexpr int kAnyRate = 8000;

template <int kSubformat>
std::string SndfileEncode(std::span<const std::int16_t> samples) {
  return EncodeSound(samples, kAnyRate, SF_FORMAT_RAW | kSubformat);
}

template <int kSubformat>
std::vector<std::int16_t> SndfileDecode(std::string_view bytes) {
  return DecodeRawSound(bytes, kAnyRate, SF_FORMAT_RAW | kSubformat);
}

// libsndfile's OKI coder takes samples in pairs: an odd last one gets silence as its partner.
std::string VoxEncode(std::span<const std::int16_t> samples) {
  std::vector<std::int16_t> pairs(samples.begin(), samples.end());
  if (pairs.size() % 2 != 0) pairs.push_back(0);
  return SndfileEncode<SF_FORMAT_VOX_ADPCM>(pairs);
}

template <int kBits>
std::string RockwellEncode(std::span<const std::int16_t> samples) {
  return EncodeRockwell(samples, kBits);
}

template <int kBits>
std::vector<std::int16_t> RockwellDecode(std::string_view bytes) {
  return DecodeRockwell(bytes, kBits);
}

constexpr int kS16 = SF_FORMAT_PCM_16 | SF_ENDIAN_LITTLE;
// The `#` command set's modems record and play Rockwell ADPCM at this rate only.
constexpr int kRockwellRate = 7200;

constexpr std::array kCodings{
    Coding{"u8", 8, 0, SndfileEncode<SF_FORMAT_PCM_U8>, SndfileDecode<SF_FORMAT_PCM_U8>},
    Coding{"s8", 8, 0, SndfileEncode<SF_FORMAT_PCM_S8>, SndfileDecode<SF_FORMAT_PCM_S8>},
    Coding{"s16", 16, 0, SndfileEncode<kS16>, SndfileDecode<kS16>},
    Coding{"ulaw", 8, 0, SndfileEncode<SF_FORMAT_ULAW>, SndfileDecode<SF_FORMAT_ULAW>},
    Coding{"alaw", 8, 0, EncodeAlaw, SndfileDecode<SF_FORMAT_ALAW>},
    Coding{"ima", 4, 0, EncodeIma, DecodeIma},
    Coding{"rockwell2", 2, kRockwellRate, RockwellEncode<2>, RockwellDecode<2>},
    Coding{"rockwell3", 3, kRockwellRate, RockwellEncode<3>, RockwellDecode<3>},
    Coding{"rockwell4", 4, kRockwellRate, RockwellEncode<4>, RockwellDecode<4>},
    Coding{"vox", 4, 0, VoxEncode, SndfileDecode<SF_FORMAT_VOX_ADPCM>},
};

}  // namespace

std::span<const Coding> Codings() {
  return kCodings;
}

const Coding* FindCoding(std::string_view name) {
  const auto found = std::ranges::find(kCodings, name, &Coding::name);
  return found == kCodings.end() ? nullptr : &*found;
}

double ByteRate(const Coding& coding, int rate) {
  return coding.bits * rate / 8.0;
}

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

// The codec of each coding of the table, in its order.
constexpr std::array kCodecs{
    Codec{"u8", SndfileEncode<SF_FORMAT_PCM_U8>, SndfileDecode<SF_FORMAT_PCM_U8>},
    Codec{"s8", SndfileEncode<SF_FORMAT_PCM_S8>, SndfileDecode<SF_FORMAT_PCM_S8>},
    Codec{"s16", SndfileEncode<kS16>, SndfileDecode<kS16>},
    Codec{"ulaw", SndfileEncode<SF_FORMAT_ULAW>, SndfileDecode<SF_FORMAT_ULAW>},
    Codec{"alaw", EncodeAlaw, SndfileDecode<SF_FORMAT_ALAW>},
    Codec{"ima", EncodeIma, DecodeIma},
    Codec{"rockwell2", RockwellEncode<2>, RockwellDecode<2>},
    Codec{"rockwell3", RockwellEncode<3>, RockwellDecode<3>},
    Codec{"rockwell4", RockwellEncode<4>, RockwellDecode<4>},
    Codec{"vox", VoxEncode, SndfileDecode<SF_FORMAT_VOX_ADPCM>},
};
static_assert(std::ranges::equal(kCodecs, kCodings, {}, &Codec::coding, &Coding::name),
              "every coding of the table has its codec, in the table's order");

}  // namespace

const Codec& CodecOf(const Coding& coding) {
  return *std::ranges::find(kCodecs, coding.name, &Codec::coding);
}

double ByteRate(const Coding& coding, int rate) {
  return coding.bits * rate / 8.0;
}

#include "codings.h"

#include <sndfile.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::array kCodings{
    Coding{"u8", SF_FORMAT_PCM_U8, 8, "8-bit unsigned linear"},
    Coding{"ulaw", SF_FORMAT_ULAW, 8, "8-bit mu-law"},
    Coding{"alaw", SF_FORMAT_ALAW, 8, "8-bit A-law"},
    Coding{"adpcm4", SF_FORMAT_VOX_ADPCM, 4, "4-bit VOX (OKI) ADPCM"},
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

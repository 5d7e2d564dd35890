#include "modem/voice_coding.h"

#include <algorithm>
#include <array>

#include "modem/reply_fields.h"

namespace {

struct CodingNames {
  std::string_view coding;
  int bits;
  std::array<std::string_view, 3> method_names;  // as Normalised() gives them
};

// The converter's rockwell3 and vox have no name in modems' listings.
constexpr std::array<CodingNames, 8> kCodings{{
    {"u8", 8, {"UNSIGNEDPCM", "8BITLINEAR"}},
    {"s8", 8, {"SIGNEDPCM"}},
    {"s16", 16, {"SIGNEDPCM", "16BITLINEAR", "LINEAR16"}},
    {"ulaw", 8, {"ULAW"}},
    {"alaw", 8, {"ALAW"}},
    {"ima", 4, {"IMAADPCM"}},
    {"rockwell2", 2, {"2BITADPCM"}},
    {"rockwell4", 4, {"4BITADPCM"}},
}};

constexpr unsigned char kMicro = 0xB5;  // "µ" in Latin-1, and the last byte of it in UTF-8

// Upper-case letters and digits only; "µ" counts as "U".
std::string Normalised(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b == kMicro) out += 'U';
    if (b >= 'a' && b <= 'z') out += static_cast<char>(b - 'a' + 'A');
    if ((b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) out += c;
  }
  return out;
}

const CodingNames* Find(std::string_view coding) {
  const auto found = std::find_if(kCodings.begin(), kCodings.end(),
                                  [&](const CodingNames& c) { return c.coding == coding; });
  return found == kCodings.end() ? nullptr : &*found;
}

}  // namespace

std::optional<VoiceCoding> ParseVoiceCoding(const char* name, const char* rate) {
  const std::string_view coding = name ? name : "u8";
  const std::optional<int> hz = rate ? ParseNumber(rate) : 8000;
  if (!Find(coding) || !hz || *hz <= 0) return std::nullopt;
  return VoiceCoding{std::string(coding), *hz};
}

long long BytesPerSecond(const VoiceCoding& coding) {
  const CodingNames* names = Find(coding.name);
  return names ? static_cast<long long>(names->bits) * coding.rate / 8 : 0;
}

std::optional<CompressionMethod> ChooseMethod(const std::vector<CompressionMethod>& methods,
                                              const VoiceCoding& coding) {
  const CodingNames* names = Find(coding.name);
  if (!names) return std::nullopt;
  for (const CompressionMethod& method : methods) {
    const std::string name = Normalised(method.name);
    const bool named = std::any_of(names->method_names.begin(), names->method_names.end(),
                                   [&](std::string_view n) { return !n.empty() && n == name; });
    if (named && method.bits == names->bits && Offers(method.rates, coding.rate)) return method;
  }
  return std::nullopt;
}

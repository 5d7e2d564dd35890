#include "modem/voice_coding.h"

#include <cstddef>
#include <string_view>

#include "core/voice_codings.h"
#include "modem/reply_fields.h"

namespace {

// A coding of the table that modems list.
const Coding* FindListed(std::string_view name) {
  const Coding* coding = FindCoding(name);
  return coding && ModemsList(*coding) ? coding : nullptr;
}

}  // namespace

std::optional<VoiceCoding> ParseVoiceCoding(const char* name, const char* rate) {
  const std::string_view coding = name ? name : "u8";
  const std::optional<int> hz = rate ? ParseNumber(rate) : 8000;
  if (!FindListed(coding) || !hz || *hz <= 0) return std::nullopt;
  return VoiceCoding{std::string(coding), *hz};
}

std::string ListedCodingNames() {
  std::vector<std::string_view> names;
  for (const Coding& coding : kCodings) {
    if (ModemsList(coding)) names.push_back(coding.name);
  }
  std::string text(names.front());
  for (std::size_t i = 1; i < names.size(); ++i) {
    text += (i + 1 == names.size() ? " or " : ", ") + std::string(names[i]);
  }
  return text;
}

long long BytesPerSecond(const VoiceCoding& coding) {
  const Coding* listed = FindListed(coding.name);
  return listed ? static_cast<long long>(listed->bits) * coding.rate / 8 : 0;
}

std::optional<CompressionMethod> ChooseMethod(const std::vector<CompressionMethod>& methods,
                                              const VoiceCoding& coding) {
  const Coding* listed = FindListed(coding.name);
  if (!listed) return std::nullopt;
  for (const CompressionMethod& method : methods) {
    if (method.bits == listed->bits && IsListedName(*listed, method.name) &&
        Offers(method.rates, coding.rate)) {
      return method;
    }
  }
  return std::nullopt;
}

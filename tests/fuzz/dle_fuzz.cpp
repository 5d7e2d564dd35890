// The DLE framing of the modem's stream: the input's first byte is an event code to search
// for, the rest the bytes the modem sends.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check.h"
#include "core/dle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char code = static_cast<char>(data[0]);
  const std::string_view stream(reinterpret_cast<const char*>(data) + 1, size - 1);

  // One byte at a time: a DLE that opens a pair yields nothing, every other byte one item.
  // Framed again, the items give back the stream.
  DleDecoder decoder;
  std::string framed;
  std::optional<std::size_t> first_code;
  for (std::size_t i = 0; i < stream.size(); ++i) {
    const char c = stream[i];
    const bool paired = decoder.Open();
    const std::optional<DleItem> item = decoder.Feed(c);
    FUZZ_CHECK(decoder.Open() == (!paired && c == kDle));
    FUZZ_CHECK(item.has_value() == !decoder.Open());
    if (!item) continue;
    FUZZ_CHECK(item->byte == c);
    switch (item->kind) {
      case DleItem::Kind::kData:
        FUZZ_CHECK(paired == (c == kDle));
        if (paired) framed += kDle;
        break;
      case DleItem::Kind::kEndReport:
        FUZZ_CHECK(paired && (c == 's' || c == 'q'));
        framed += kDle;
        break;
      case DleItem::Kind::kEvent:
        FUZZ_CHECK(paired && c != 's' && c != 'q' && c != kDle && c != kEtx);
        framed += kDle;
        break;
      case DleItem::Kind::kEndOfData:
        FUZZ_CHECK(paired && c == kEtx);
        framed += kDle;
        break;
    }
    framed += c;
    if (!first_code && item->kind != DleItem::Kind::kData && c == code) first_code = i - 1;
  }
  if (decoder.Open()) framed += kDle;
  FUZZ_CHECK(framed == stream);

  // The search finds the first DLE + code that the decoder reports as an event.
  const std::optional<std::size_t> found = FindDleSequence(stream, code);
  FUZZ_CHECK(found == first_code);
  if (found) FUZZ_CHECK(stream[*found] == kDle && stream[*found + 1] == code);
  return 0;
}

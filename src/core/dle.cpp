#include "core/dle.h"

std::optional<DleItem> DleDecoder::Feed(char byte) {
  if (!open_) {
    if (byte == kDle) {
      open_ = true;
      return std::nullopt;
    }
    return DleItem{DleItem::Kind::kData, byte};
  }
  open_ = false;
  if (byte == kDle) return DleItem{DleItem::Kind::kData, byte};
  if (byte == 's' || byte == 'q') return DleItem{DleItem::Kind::kEndReport, byte};
  if (byte == kEtx) return DleItem{DleItem::Kind::kEndOfData, byte};
  return DleItem{DleItem::Kind::kEvent, byte};
}

std::optional<KeyReport> AsKeyReport(const DleItem& item) {
  using Kind = KeyReport::Kind;
  const char c = item.byte;
  switch (item.kind) {
    case DleItem::Kind::kData:
      return std::nullopt;
    case DleItem::Kind::kEndOfData:
      return KeyReport{Kind::kEndOfData, c};
    case DleItem::Kind::kEndReport:
      return KeyReport{Kind::kOther, c};
    case DleItem::Kind::kEvent:
      break;
  }
  if (c >= '0' && c <= '9') return KeyReport{Kind::kDigit, c};
  if (c == '*') return KeyReport{Kind::kStar, c};
  if (c == '#') return KeyReport{Kind::kHash, c};
  return KeyReport{Kind::kOther, c};
}

std::optional<std::size_t> FindDleSequence(std::string_view data, char code) {
  DleDecoder decoder;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto item = decoder.Feed(data[i]);
    if (item && item->kind != DleItem::Kind::kData && item->byte == code) return i - 1;
  }
  return std::nullopt;
}

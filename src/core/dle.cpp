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
  return DleItem{DleItem::Kind::kKey, byte};
}

std::optional<std::size_t> FindDleSequence(std::string_view data, char code) {
  DleDecoder decoder;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const auto item = decoder.Feed(data[i]);
    if (item && item->kind != DleItem::Kind::kData && item->byte == code) return i - 1;
  }
  return std::nullopt;
}

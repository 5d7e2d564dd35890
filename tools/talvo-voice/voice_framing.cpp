#include "voice_framing.h"

#include "core/dle.h"

std::string FrameVoice(std::string_view sound) {
  std::string framed;
  framed.reserve(sound.size() + sound.size() / 64 + kDleEtx.size());
  for (const char byte : sound) {
    framed += byte;
    if (byte == kDle) framed += kDle;
  }
  framed += kDleEtx;
  return framed;
}

VoiceContents UnframeVoice(std::string_view file) {
  VoiceContents contents;
  DleDecoder decoder;
  for (std::size_t i = 0; i < file.size(); ++i) {
    const std::optional<DleItem> item = decoder.Feed(file[i]);
    if (!item) continue;
    switch (item->kind) {
      case DleItem::Kind::kData:
        contents.sound += item->byte;
        break;
      case DleItem::Kind::kEndReport:
        contents.end_reports += item->byte;
        break;
      case DleItem::Kind::kEvent:
        contents.keys += item->byte;
        break;
      case DleItem::Kind::kEndOfData:
        contents.etx_at = i - 1;
        return contents;
    }
  }
  return contents;
}

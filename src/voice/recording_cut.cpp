#include "voice/recording_cut.h"

#include "core/dle.h"

std::size_t CutRecording(std::string_view data) {
  std::size_t len = data.size();
  for (const char mark : {'*', 's', 'q'}) {
    if (const auto at = FindDleSequence(data, mark)) {
      len = *at;
      break;
    }
  }
  while (len > 0 && data[len - 1] == kDle) --len;
  return len;
}

// Voice files and recordings: the input is the voice data, as a file's bytes, as a voice
// buffer's content and as a recording to cut.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/dle.h"
#include "core/voice_buffer.h"
#include "scratch_file.h"
#include "voice/recording_cut.h"
#include "voice/voice_file.h"

namespace {

constexpr std::size_t kBufferSize = LGR_BUF_VOICE;

// Whether `data` followed by DLE ETX ends exactly there: no DLE ETX before it, and no DLE
// left open to shield it.
bool EndsAtAppendedEtx(std::string_view data) {
  return FindDleSequence(std::string(data) + std::string(kDleEtx), kEtx) == data.size();
}

// The buffer the loaders fill: the data's first bytes, NUL-filled past its end.
std::string VoiceBuffer(std::string_view input) {
  std::string buffer(kBufferSize, '\0');
  input.copy(buffer.data(), buffer.size());
  return buffer;
}

// FindVoiceEnd returns the 1-based position of the buffer's first unshielded DLE ETX, which
// it writes after the data when there is none, and leaves the data before it alone.
void CheckVoiceEnd(const std::string& filled) {
  std::string buffer = filled;
  const std::size_t end = FindVoiceEnd(buffer);
  FUZZ_CHECK(buffer.size() == kBufferSize);
  FUZZ_CHECK(end >= 1 && end < kBufferSize);
  FUZZ_CHECK(FindDleSequence(std::string_view(buffer).substr(0, end + 1), kEtx) == end - 1);
  FUZZ_CHECK(buffer.compare(0, end - 1, filled, 0, end - 1) == 0);
}

// A prompt is the file's start up to its end mark, without the mark.
void CheckPrompt(std::string_view input, const std::string& filled) {
  static const ScratchFile file("verif1");
  const std::string prompt = LoadVoiceFile(file.Write(input));
  FUZZ_CHECK(prompt.size() <= kBufferSize - 2);
  FUZZ_CHECK(filled.compare(0, prompt.size(), prompt) == 0);
  FUZZ_CHECK(EndsAtAppendedEtx(prompt));
}

// A recording is cut before its end mark, and the DLE ETX stored after it is not shielded.
void CheckCut(std::string_view recording) {
  const std::size_t len = CutRecording(recording);
  FUZZ_CHECK(len <= recording.size());
  FUZZ_CHECK(len == 0 || recording[len - 1] != kDle);
  for (const char mark : {'*', 's', 'q'}) {
    if (const auto at = FindDleSequence(recording, mark)) {
      FUZZ_CHECK(len <= *at);
      break;
    }
  }
  DleDecoder stored;
  for (const char c : recording.substr(0, len)) stored.Feed(c);
  FUZZ_CHECK(!stored.Open());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string filled = VoiceBuffer(input);
  CheckVoiceEnd(filled);
  CheckPrompt(input, filled);
  CheckCut(input);
  return 0;
}

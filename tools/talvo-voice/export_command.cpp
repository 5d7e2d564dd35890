#include <sndfile.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codings.h"
#include "commands.h"
#include "files.h"
#include "memory_sound.h"
#include "tool_error.h"
#include "voice_framing.h"

namespace {

// The first bytes of the audio files that users are likely to hand over instead of a voice
// file. A voice file has no header, and a recording that starts with one of these four-byte
// words is too unlikely to weigh against decoding a WAV file as noise.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kAudioHeaders{{
    {"RIFF", "WAV"},
    {"RIFX", "WAV"},
    {"RF64", "WAV"},
    {"FORM", "AIFF"},
    {"fLaC", "FLAC"},
    {"OggS", "Ogg"},
    {".snd", "AU"},
    {"caff", "CAF"},
}};

std::optional<std::string_view> AudioFileKind(std::string_view file) {
  for (const auto& [header, kind] : kAudioHeaders) {
    if (file.starts_with(header)) return kind;
  }
  return std::nullopt;
}

}  // namespace

void RunExport(const CommandLine& command) {
  const std::string file = ReadWholeFile(command.in);
  const std::string in = command.in.string();
  if (const std::optional<std::string_view> kind = AudioFileKind(file)) {
    throw ToolError(in + ": this is " + std::string(*kind) +
                    " audio, not a voice file; talvo-voice import makes a voice file from it");
  }
  const VoiceContents contents = UnframeVoice(file);
  if (!contents.etx_at && !command.force) {
    throw ToolError(in +
                    ": no DLE ETX, so perhaps not a voice file; --force exports it anyway "
                    "(a recording cut at the buffer's end has none)");
  }
  const std::vector<std::int16_t> samples = CodecOf(*command.coding).decode(contents.sound);
  WriteOutputFile(command.out,
                  EncodeSound(samples, command.rate, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
}

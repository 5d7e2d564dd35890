#include <sndfile.h>

#include <string>
#include <vector>

#include "commands.h"
#include "files.h"
#include "memory_sound.h"
#include "voice_framing.h"

void RunExport(const CommandLine& command) {
  const VoiceContents contents = UnframeVoice(ReadWholeFile(command.in));
  const std::vector<float> samples =
      DecodeRawSound(contents.sound, command.rate, SF_FORMAT_RAW | command.coding->sf_subformat);
  WriteOutputFile(command.out,
                  EncodeSound(samples, command.rate, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
}

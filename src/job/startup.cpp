#include "job/startup.h"

#include <optional>
#include <string>
#include <utility>

#include "console/number_format.h"
#include "console/term_write.h"
#include "core/voice_buffer.h"
#include "job/bounded_line.h"

namespace {
// The version text is the second line of "ver" (the version command writes an empty line
// first); a one-line file gives its only line, a missing or empty one nothing.
std::string VersionLine(const std::filesystem::path& file) {
  std::istringstream in = OpenSmallTextFile(file);
  std::string version;
  for (int i = 0; i < 2; ++i) {
    std::optional<std::string> line = ReadBoundedLine(in);
    if (!line) break;
    version = std::move(*line);
  }
  return version;
}

// Buffer sizes are shown as 16-bit numbers; a size that does not fit shows no line at all.
void PrintBufferSize(TextBox& term, const char* name, int size, const char* end) {
  if (size > INT16_MAX || size < INT16_MIN) return;
  TermWrite(term, std::string("MSComm1.") + name + "=" + FormatDigits(size, 0) + end);
}
}  // namespace

void PrintStartupLines(TextBox& term, const std::filesystem::path& dir, const CommandEngine& port) {
  TermWrite(term, "---  TALVO  V:3 UPDATE=020103 For " + VersionLine(dir / "ver") +
                      " and ZR6 Run Time ---\r\r");
  TermWrite(term, "LGR_ECR_VOICE=" + FormatDigits(LGR_ECR_VOICE, 0) + "\r");
  TermWrite(term, "LGR_BUF_VOICE=" + FormatDigits(LGR_BUF_VOICE, 0) + "\r");
  PrintBufferSize(term, "InBufferSize", port.InBufferSize(), "\r");
  PrintBufferSize(term, "OutBufferSize", port.OutBufferSize(), "\r\r");
}

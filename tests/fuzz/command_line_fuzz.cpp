// The job's inputs from its caller: the command line and the parameter file. The input's
// first byte is the length of the command line that follows; the rest is the parameter file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "job/command_line.h"
#include "job/number_rule.h"
#include "job/parameter_file.h"
#include "scratch_file.h"

namespace {

bool IsDigitValue(std::int16_t value) {
  return value >= 0 && value <= 9;
}

void CheckCommandLine(const std::string& line, JobValues& v) {
  ParseCommandLine(line, v);
  FUZZ_CHECK(IsDigitValue(v.EchoFlag) && IsDigitValue(v.ModemType));
  FUZZ_CHECK(v.StopCode == (v.ModemType == 1 ? "Z" : "b"));
  FUZZ_CHECK(v.SourceCode == Position(line, 3));
  FUZZ_CHECK(v.JobId == Position(line, 6));
  const std::string modifier = DialModifierOf(line);
  FUZZ_CHECK(modifier.size() <= 1 && modifier != "N");
  FUZZ_CHECK(IsRecordingJob(line) == (line.size() == 6));
}

void CheckParameterFile(std::string_view text, JobValues& v) {
  static const ScratchFile file("params_3");
  const std::int16_t retries = v.RetryCount;
  ReadParameterFile(file.Write(text), v);
  FUZZ_CHECK(v.ReadBack == 0 || v.ReadBack == 1);
  if (v.ReadBack == 0) FUZZ_CHECK(v.PromptDir.empty());
  if (v.SourceCode == "0") {
    FUZZ_CHECK(v.DigitTimeout == 20 && v.RetryCount == retries);
  } else {
    FUZZ_CHECK(v.DigitTimeout == 0);
  }
}

// Blanks and tabs count for nothing wherever they stand.
void CheckNumber(std::string_view text) {
  std::string packed(text);
  std::erase_if(packed, [](char c) { return c == ' ' || c == '\t'; });
  FUZZ_CHECK(ReadNumber(text) == ReadNumber(packed));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t line_length = std::min<std::size_t>(data[0], input.size());
  const std::string line(input.substr(0, line_length));
  const std::string_view parameters = input.substr(line_length);

  JobValues v;
  CheckCommandLine(line, v);
  CheckParameterFile(parameters, v);
  CheckNumber(parameters);
  return 0;
}

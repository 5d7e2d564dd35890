#include "job/parameter_file.h"

#include <string>

#include "job/bounded_line.h"
#include "job/number_rule.h"

namespace {
std::string NextLine(std::istream& in) {
  return ReadBoundedLine(in).value_or("");
}
}  // namespace

void ReadParameterFile(const std::filesystem::path& file, JobValues& v) {
  std::istringstream in = OpenSmallTextFile(file);
  if (const auto n = ReadNumber(NextLine(in))) v.ProgressTimeout = *n;
  const std::optional<std::int16_t> retries = ReadNumber(NextLine(in));
  const std::string line3 = NextLine(in);
  v.ReadBack = 0;
  if (line3.compare(0, 3, "YES") == 0) {
    v.ReadBack = 1;
    v.PromptDir = line3.substr(3);
  }
  if (const auto n = ReadNumber(NextLine(in))) {
    v.PlayCount = *n;
    if (v.PlayCount < INT16_MAX) ++v.PlayCount;
  }
  v.DigitTimeout = 20;
  if (v.SourceCode != "0") {
    v.DigitTimeout = 0;
    if (retries) v.RetryCount = *retries;
  }
}

// vmodem's scenario text. Text it cannot read is refused with std::runtime_error naming the
// line; anything else that escapes is a finding. A voice file named "voice" lies beside it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "check.h"
#include "scratch_file.h"
#include "vmodem/scenario.h"

namespace {

// A directory that holds one voice file, "voice", for scenarios to name.
class VoiceDir {
 public:
  VoiceDir() { file_.Write("\x80\x81\x10\x10\x82\x10*"); }
  const std::filesystem::path& Path() const { return file_.Dir(); }

 private:
  ScratchFile file_{"voice"};
};

void CheckRule(const vmodem::Rule& rule) {
  using Kind = vmodem::Action::Kind;
  FUZZ_CHECK(rule.occurrence >= 0);
  // A `*` may stand for itself, so a pattern matches its own text.
  FUZZ_CHECK(vmodem::MatchesPattern(rule.pattern, rule.pattern));
  for (const vmodem::Action& action : rule.actions) {
    FUZZ_CHECK(action.amount >= 0);
    if (action.kind == Kind::kKey) FUZZ_CHECK(action.text.size() == 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const VoiceDir voice_dir;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const vmodem::Scenario scenario = vmodem::ParseScenario(text, voice_dir.Path());
    FUZZ_CHECK(scenario.baud >= 0 && scenario.baud <= 10'000'000);
    for (const vmodem::Rule& rule : scenario.rules) CheckRule(rule);
  } catch (const std::runtime_error& refused) {
    FUZZ_CHECK(std::string_view(refused.what()).starts_with("line "));
  }
  return 0;
}

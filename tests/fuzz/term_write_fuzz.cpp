// Console writes: the input is a run of messages, each a length byte, a repeat byte (the
// message is written 1 to 64 times in a row) and the message's bytes. Messages stay short,
// as the program's are: modem bytes as they come and one-line reports.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "console/memory_text_box.h"
#include "console/term_write.h"

namespace {

// As term_write.h states them.
constexpr std::size_t kSoftCap = 16384;
constexpr std::size_t kCut = 4096;

void CheckWrite(MemoryTextBox& console, std::string_view message) {
  std::string kept = console.Text();
  if (kept.size() >= kSoftCap) kept.erase(0, kCut);
  TermWrite(console, message);
  const std::string& text = console.Text();

  // At most the console's last byte goes; the message, with a LF added to every CR, comes on.
  const std::size_t crs = std::count(message.begin(), message.end(), '\r');
  const std::size_t untouched = kept.empty() ? 0 : kept.size() - 1;
  FUZZ_CHECK(text.compare(0, untouched, kept, 0, untouched) == 0);
  FUZZ_CHECK(text.size() <= kept.size() + message.size() + crs);
  FUZZ_CHECK(text.size() < kSoftCap + message.size() + crs);
  FUZZ_CHECK(console.SelStart() == text.size() && console.SelLength() == 0);

  // The text holds no NUL, and a LF only behind a CR (or first, when the cut took its CR).
  // Every CR this write put in has its LF; an earlier CR may have lost its LF to a backspace.
  // What went before was checked by the writes before.
  for (std::size_t i = untouched; i < text.size(); ++i) {
    FUZZ_CHECK(text[i] != '\0');
    if (text[i] == '\n') FUZZ_CHECK(i == 0 || text[i - 1] == '\r');
    if (text[i] == '\r' && i >= kept.size()) {
      FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  MemoryTextBox console;
  while (input.size() >= 2) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(input[0]), input.size() - 2);
    const int repeats = static_cast<unsigned char>(input[1]) % 64 + 1;
    const std::string_view message = input.substr(2, length);
    input.remove_prefix(2 + length);
    for (int i = 0; i < repeats; ++i) CheckWrite(console, message);
  }
  return 0;
}

#include "console/term_write.h"

#include <cstddef>
#include <string>

namespace {

constexpr std::size_t kSoftCap = 16384;
constexpr std::size_t kCut = 4096;
constexpr char kBackspace = 8;

// What is left of a message once its backspaces have done their work. A backspace erases the
// character before it in the message; one with nothing before it erases the console's last
// character instead, and however many of those there are, they all aim at that same one.
struct Erased {
  std::string text;
  bool erases_console_tail = false;
};

Erased ApplyBackspaces(std::string_view message) {
  Erased result;
  result.text.reserve(message.size());
  for (char c : message) {
    if (c != kBackspace) {
      result.text.push_back(c);
    } else if (!result.text.empty()) {
      result.text.pop_back();
    } else {
      result.erases_console_tail = true;
    }
  }
  return result;
}

// LFs go before CRs grow theirs, so CR LF stays one line break and a lone LF breaks nothing.
std::string ToConsoleLines(std::string_view text) {
  std::string lines;
  lines.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n' || c == '\0') continue;
    lines.push_back(c);
    if (c == '\r') lines.push_back('\n');
  }
  return lines;
}

}  // namespace

void TermWrite(TextBox& console, std::string_view message) {
  std::size_t length = console.Text().size();
  if (length >= kSoftCap) {
    console.SetText(console.Text().substr(kCut));
    length = console.Text().size();
  }
  console.SetSelStart(length);
  console.SetSelLength(0);

  const Erased erased = ApplyBackspaces(message);
  // On an empty console there is no last character to take.
  if (erased.erases_console_tail && length > 0) {
    console.SetSelStart(length - 1);
    console.SetSelLength(1);
  }
  console.SetSelText(ToConsoleLines(erased.text));
}

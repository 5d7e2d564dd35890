#include "console/term_key_press.h"

#include <cstddef>
#include <string>

namespace {

constexpr char kBackspace = 8;
constexpr char kEnter = 13;

bool Printable(unsigned char code) {
  return code >= 32 && code != 127;
}

// A selection goes as a whole; otherwise the character before the caret, where a line break
// (CR LF) counts as one character, as it does for the user.
void EraseBeforeCaret(TextBox& console) {
  if (console.SelLength() == 0) {
    const std::size_t caret = console.SelStart();
    if (caret == 0) return;
    const std::string& text = console.Text();
    const bool line_break = caret >= 2 && text[caret - 2] == '\r' && text[caret - 1] == '\n';
    const std::size_t width = line_break ? 2 : 1;
    console.SetSelStart(caret - width);
    console.SetSelLength(width);
  }
  console.SetSelText("");
}

}  // namespace

void TermKeyPress(const ByteSink& send, TextBox& console, char code) {
  send(std::string_view(&code, 1));
  if (code == kBackspace) {
    EraseBeforeCaret(console);
  } else if (code == kEnter) {
    console.SetSelText("\r\n");
  } else if (Printable(static_cast<unsigned char>(code))) {
    console.SetSelText(std::string_view(&code, 1));
  }
}

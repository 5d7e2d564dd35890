#include "console/term_key_press.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_text_box.h"

namespace {

struct KeyCase {
  const char* name;
  std::string before;
  std::size_t sel_start;
  std::size_t sel_length;
  char code;
  std::string after;
  std::size_t caret_after;
};

class TermKeyPressTest : public testing::TestWithParam<KeyCase> {};

TEST_P(TermKeyPressTest, SendsTheByteAndShowsItAtTheCaret) {
  const KeyCase& c = GetParam();
  std::string sent;
  MemoryTextBox console;
  console.SetText(c.before);
  console.SetSelStart(c.sel_start);
  console.SetSelLength(c.sel_length);

  TermKeyPress([&sent](std::string_view bytes) { sent += bytes; }, console, c.code);

  EXPECT_EQ(sent, std::string(1, c.code));
  EXPECT_EQ(console.Text(), c.after);
  EXPECT_EQ(console.SelStart(), c.caret_after);
  EXPECT_EQ(console.SelLength(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TermKeyPressTest,
    testing::Values(KeyCase{"AtEnd", "AB", 2, 0, 'x', "ABx", 3},
                    KeyCase{"AtCaretInside", "AB", 1, 0, 'x', "AxB", 2},
                    KeyCase{"ReplacesSelection", "ABC", 1, 1, 'x', "AxC", 2},
                    KeyCase{"Latin1Letter", "", 0, 0, '\xE9', "\xE9", 1},
                    KeyCase{"EnterStartsLine", "AB", 2, 0, '\r', "AB\r\n", 4},
                    KeyCase{"BackspaceErasesOne", "AB", 2, 0, '\b', "A", 1},
                    KeyCase{"BackspaceErasesLineBreak", "A\r\n", 3, 0, '\b', "A", 1},
                    KeyCase{"BackspaceAtStart", "AB", 0, 0, '\b', "AB", 0},
                    KeyCase{"BackspaceErasesSelection", "ABC", 0, 2, '\b', "C", 0},
                    KeyCase{"ControlSentNotShown", "AB", 2, 0, '\x03', "AB", 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

#include "console/term_key_press.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_text_box.h"

namespace {

struct KeyCase {
  const char* name;
  std::string before;
  std::size_t sel_start;
  std::size_t sel_length = 0;
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

INSTANTIATE_TEST_SUITE_P(Keys, TermKeyPressTest,
                         testing::Values(KeyCase{.name = "AtEnd",
                                                 .before = "AB",
                                                 .sel_start = 2,
                                                 .code = 'x',
                                                 .after = "ABx",
                                                 .caret_after = 3},
                                         KeyCase{.name = "AtCaretInside",
                                                 .before = "AB",
                                                 .sel_start = 1,
                                                 .code = 'x',
                                                 .after = "AxB",
                                                 .caret_after = 2},
                                         KeyCase{.name = "ReplacesSelection",
                                                 .before = "ABC",
                                                 .sel_start = 1,
                                                 .sel_length = 1,
                                                 .code = 'x',
                                                 .after = "AxC",
                                                 .caret_after = 2},
                                         KeyCase{.name = "Latin1Letter",
                                                 .before = "",
                                                 .sel_start = 0,
                                                 .code = '\xE9',
                                                 .after = "\xE9",
                                                 .caret_after = 1},
                                         KeyCase{.name = "EnterStartsLine",
                                                 .before = "AB",
                                                 .sel_start = 2,
                                                 .code = '\r',
                                                 .after = "AB\r\n",
                                                 .caret_after = 4},
                                         KeyCase{.name = "BackspaceErasesOne",
                                                 .before = "AB",
                                                 .sel_start = 2,
                                                 .code = '\b',
                                                 .after = "A",
                                                 .caret_after = 1},
                                         KeyCase{.name = "BackspaceErasesLineBreak",
                                                 .before = "A\r\n",
                                                 .sel_start = 3,
                                                 .code = '\b',
                                                 .after = "A",
                                                 .caret_after = 1},
                                         KeyCase{.name = "BackspaceAtStart",
                                                 .before = "AB",
                                                 .sel_start = 0,
                                                 .code = '\b',
                                                 .after = "AB",
                                                 .caret_after = 0},
                                         KeyCase{.name = "BackspaceErasesSelection",
                                                 .before = "ABC",
                                                 .sel_start = 0,
                                                 .sel_length = 2,
                                                 .code = '\b',
                                                 .after = "C",
                                                 .caret_after = 0},
                                         KeyCase{.name = "ControlSentNotShown",
                                                 .before = "AB",
                                                 .sel_start = 2,
                                                 .code = '\x03',
                                                 .after = "AB",
                                                 .caret_after = 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

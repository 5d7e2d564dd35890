#include "console/term_key_press.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_text_box.h"
#include "fake_serial.h"

namespace {

struct KeyCase {
  const char* name;
  bool port_open;
  std::string before;
  std::size_t sel_start;
  std::size_t sel_length;
  char code;
  std::string after;
  std::size_t caret_after;
};

class TermKeyPressTest : public testing::TestWithParam<KeyCase> {};

TEST_P(TermKeyPressTest, SendsWhileOpenAndShowsAtTheCaret) {
  const KeyCase& c = GetParam();
  FakeSerial serial;
  serial.SetPortOpen(c.port_open);
  MemoryTextBox console;
  console.SetText(c.before);
  console.SetSelStart(c.sel_start);
  console.SetSelLength(c.sel_length);

  TermKeyPress(serial, console, c.code);

  EXPECT_EQ(serial.sent, c.port_open ? std::string(1, c.code) : "");
  EXPECT_EQ(console.Text(), c.after);
  EXPECT_EQ(console.SelStart(), c.caret_after);
  EXPECT_EQ(console.SelLength(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TermKeyPressTest,
    testing::Values(KeyCase{"OpenAtEnd", true, "AB", 2, 0, 'x', "ABx", 3},
                    KeyCase{"ClosedOnlyShows", false, "AB", 2, 0, 'x', "ABx", 3},
                    KeyCase{"AtCaretInside", true, "AB", 1, 0, 'x', "AxB", 2},
                    KeyCase{"ReplacesSelection", true, "ABC", 1, 1, 'x', "AxC", 2},
                    KeyCase{"Latin1Letter", true, "", 0, 0, '\xE9', "\xE9", 1},
                    KeyCase{"EnterStartsLine", true, "AB", 2, 0, '\r', "AB\r\n", 4},
                    KeyCase{"BackspaceErasesOne", true, "AB", 2, 0, '\b', "A", 1},
                    KeyCase{"BackspaceErasesLineBreak", true, "A\r\n", 3, 0, '\b', "A", 1},
                    KeyCase{"BackspaceAtStart", true, "AB", 0, 0, '\b', "AB", 0},
                    KeyCase{"BackspaceErasesSelection", false, "ABC", 0, 2, '\b', "C", 0},
                    KeyCase{"ControlSentNotShown", true, "AB", 2, 0, '\x03', "AB", 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

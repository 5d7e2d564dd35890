#include "console/term_write.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_text_box.h"

namespace {

struct WriteCase {
  const char* name;
  std::string before;
  std::string message;
  std::string after;
};

class TermWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(TermWriteTest, ConsoleShowsTheMessage) {
  const WriteCase& c = GetParam();
  MemoryTextBox console;
  console.SetText(c.before);
  TermWrite(console, c.message);
  EXPECT_EQ(console.Text(), c.after);
  EXPECT_EQ(console.SelStart(), console.Text().size());
  EXPECT_EQ(console.SelLength(), 0u);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Backspaces, TermWriteTest,
    testing::Values(WriteCase{"EraseInsideMessage", "", "AB\bC", "AC"},
                    WriteCase{"LeadingReplacesLast", "xyz", "\bX", "xyX"},
                    WriteCase{"TwoLeadingStillReplaceOne", "xyz", "\b\bX", "xyX"},
                    WriteCase{"EmptyConsoleErasesNothing", "", "\bX", "X"},
                    WriteCase{"EmptyConsoleManyLeading", "", "\b\b\bX", "X"},
                    WriteCase{"MessageEatenThenOneConsoleByte", "xyz", "AB\b\b\bC", "xyC"},
                    WriteCase{"OnlyBackspaceErasesLast", "xyz", "\b", "xy"},
                    WriteCase{"ErasesCrBeforeExpansion", "", "A\r\bB", "AB"},
                    WriteCase{"LeadingEatsHalfLineBreak", "ok\r\n", "\bX", "ok\rX"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(LineEnds, TermWriteTest,
                         testing::Values(WriteCase{"CrLfStaysOneBreak", "", "word\r\n", "word\r\n"},
                                         WriteCase{"LoneCrGetsLf", "", "word\r", "word\r\n"},
                                         WriteCase{"LoneLfVanishes", "", "word\n", "word"},
                                         WriteCase{"LfCrIsOneBreak", "", "a\n\rb", "a\r\nb"},
                                         WriteCase{"TwoCrsTwoBreaks", "", "\r\r", "\r\n\r\n"},
                                         WriteCase{"NulVanishes", "", "a\0b"s, "ab"},
                                         WriteCase{"AppendsAfterExisting", "line\r\n", "next\r",
                                                   "line\r\nnext\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Bytes whose position can be told from their value, so a cut in the wrong place shows.
std::string Numbered(std::size_t size) {
  std::string text(size, ' ');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('!' + i % 89);
  return text;
}

TEST(TermWriteCap, CutsOnlyFromTheCapOn) {
  struct {
    std::size_t before;
    std::string message;
    std::size_t dropped;
  } const cases[] = {
      {16383, "m", 0},
      {16384, "m", 4096},
      {20000, "m", 4096},  // one cut per write, however far past the cap
      {16384, "\bm", 4096},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.before << " bytes before " << c.message.size());
    const std::string before = Numbered(c.before);
    MemoryTextBox console;
    console.SetText(before);
    TermWrite(console, c.message);
    std::string expected = before.substr(c.dropped);
    if (c.message[0] == '\b') expected.pop_back();
    EXPECT_EQ(console.Text(), expected + "m");
  }
}

TEST(TermWriteCap, MessageLongerThanAnyShortPositionArrivesWhole) {
  MemoryTextBox console;
  console.SetText("x");
  std::string message = Numbered(40000);
  message[20000] = '\r';
  TermWrite(console, message);
  message.insert(20001, "\n");
  EXPECT_EQ(console.Text(), "x" + message);

  // The next write finds the console far past the cap and still cuts 4096 bytes only.
  const std::string before = console.Text();
  TermWrite(console, "\b!");
  EXPECT_EQ(console.Text(), before.substr(4096, before.size() - 4097) + "!");
}

TEST(TermWriteCaret, AppendsAtTheEndWhereverTheUserLeftTheCaret) {
  MemoryTextBox console;
  console.SetText("abcdef");
  console.SetSelStart(2);
  console.SetSelLength(2);
  TermWrite(console, "\bX");
  EXPECT_EQ(console.Text(), "abcdeX");
}

}  // namespace

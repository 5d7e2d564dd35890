#include "console/term_write.h"

#include <gtest/gtest.h>

#include <string>

#include "console/memory_text_box.h"

namespace {

struct WriteCase {
  const char* name;
  std::string before{};  // what the console holds before the write
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
    testing::Values(
        WriteCase{.name = "EraseInsideMessage", .message = "AB\bC", .after = "AC"},
        WriteCase{.name = "LeadingReplacesLast", .before = "xyz", .message = "\bX", .after = "xyX"},
        WriteCase{.name = "TwoLeadingStillReplaceOne",
                  .before = "xyz",
                  .message = "\b\bX",
                  .after = "xyX"},
        WriteCase{.name = "EmptyConsoleErasesNothing", .message = "\bX", .after = "X"},
        WriteCase{.name = "EmptyConsoleManyLeading", .message = "\b\b\bX", .after = "X"},
        WriteCase{.name = "MessageEatenThenOneConsoleByte",
                  .before = "xyz",
                  .message = "AB\b\b\bC",
                  .after = "xyC"},
        WriteCase{
            .name = "OnlyBackspaceErasesLast", .before = "xyz", .message = "\b", .after = "xy"},
        WriteCase{.name = "ErasesCrBeforeExpansion", .message = "A\r\bB", .after = "AB"},
        WriteCase{.name = "LeadingEatsHalfLineBreak",
                  .before = "ok\r\n",
                  .message = "\bX",
                  .after = "ok\rX"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LineEnds, TermWriteTest,
    testing::Values(
        WriteCase{.name = "CrLfStaysOneBreak", .message = "word\r\n", .after = "word\r\n"},
        WriteCase{.name = "LoneCrGetsLf", .message = "word\r", .after = "word\r\n"},
        WriteCase{.name = "LoneLfVanishes", .message = "word\n", .after = "word"},
        WriteCase{.name = "LfCrIsOneBreak", .message = "a\n\rb", .after = "a\r\nb"},
        WriteCase{.name = "TwoCrsTwoBreaks", .message = "\r\r", .after = "\r\n\r\n"},
        WriteCase{.name = "NulVanishes", .message = "a\0b"s, .after = "ab"},
        WriteCase{.name = "AppendsAfterExisting",
                  .before = "line\r\n",
                  .message = "next\r",
                  .after = "line\r\nnext\r\n"}),
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
      {.before = 16383, .message = "m", .dropped = 0},
      {.before = 16384, .message = "m", .dropped = 4096},
      // One cut per write, however far past the cap.
      {.before = 20000, .message = "m", .dropped = 4096},
      {.before = 16384, .message = "\bm", .dropped = 4096},
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

#include "voice/key_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

const std::string kDle = "\x10";

// The event characters of the reports in `chunks`, fed as the reads would deliver them.
std::string KeysOf(const std::vector<std::string>& chunks) {
  KeyReader reader;
  std::string keys;
  for (const std::string& chunk : chunks) {
    for (const char byte : chunk) {
      if (const auto key = reader.Feed(byte)) keys += *key;
    }
  }
  return keys;
}

struct SplitCase {
  const char* name;
  std::vector<std::string> chunks;
  std::string keys;
};

class KeyReaderSplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(KeyReaderSplitTest, FindsEveryReportHoweverTheBytesArrive) {
  EXPECT_EQ(KeysOf(GetParam().chunks), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, KeyReaderSplitTest,
    testing::Values(
        SplitCase{"Whole", {kDle + "1"}, "1"}, SplitCase{"SplitAfterDle", {kDle, "5"}, "5"},
        SplitCase{"SplitEveryByte", {kDle, "1", kDle, "*"}, "1*"},
        SplitCase{"OddStrayByteBefore", {"x" + kDle, "7"}, "7"},
        SplitCase{"StrayBytesBetween", {kDle + "1ab", "c" + kDle + "2"}, "12"},
        SplitCase{"ReplyTextIgnored", {"\r\nOK\r\n" + kDle + "#"}, "#"},
        // A DLE right after a DLE is that report's event, not the start of the next one.
        SplitCase{"DleDleIsOneReport", {kDle + kDle + "3"}, kDle},
        SplitCase{"LoneDleGivesNothing", {kDle}, ""}, SplitCase{"NoDle", {"123*"}, ""}),
    [](const auto& info) { return info.param.name; });

TEST(KeyReaderTest, LeavesTheBytesAfterAReportForTheReplyReader) {
  VirtualWorld w("echo off\non \"AT X\": key 4 \"VCON\"\n");
  OpenLine(w);
  CommandEngine engine(w.ctx);
  engine.Send("AT X");
  ASSERT_TRUE(engine.WaitForInput(std::nullopt));
  KeyReader reader;
  EXPECT_EQ(reader.ReadWaiting(w.ctx, engine), '4');
  engine.ReadReply();
  EXPECT_EQ(w.values.ReplyLine, "VCON");
}

TEST(KeyReaderTest, EchoesWhatItReadsWhenEchoIsOn) {
  VirtualWorld w("echo off\non \"AT X\": bytes \"ab\" key 9\n");
  OpenLine(w);
  w.values.EchoFlag = 1;
  CommandEngine engine(w.ctx);
  engine.Send("AT X");
  ASSERT_TRUE(engine.WaitForInput(std::nullopt));
  KeyReader reader;
  EXPECT_EQ(reader.ReadWaiting(w.ctx, engine), '9');
  EXPECT_NE(w.console.Text().find("ab" + kDle + "9"), std::string::npos);
}

}  // namespace

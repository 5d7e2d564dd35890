#include "voice/key_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

TEST(KeyReaderTest, LeavesTheBytesAfterAReportForTheReplyReader) {
  VirtualWorld w("echo off\non \"AT X\": key 4 \"VCON\"\n");
  OpenLine(w);
  CommandEngine& engine = w.engine;
  engine.Send("AT X");
  ASSERT_TRUE(engine.WaitForInput(std::nullopt));
  DleDecoder dle;
  EXPECT_EQ(ReadKeyReport(engine, dle).value().key, '4');
  engine.ReadReply();
  EXPECT_EQ(w.values.ReplyLine, "VCON");
}

TEST(KeyReaderTest, DropsStrayBytesAndEchoesThemWhenEchoIsOn) {
  VirtualWorld w("echo off\non \"AT X\": bytes \"ab\" key 9\n");
  OpenLine(w);
  w.values.EchoFlag = 1;
  CommandEngine& engine = w.engine;
  engine.Send("AT X");
  ASSERT_TRUE(engine.WaitForInput(std::nullopt));
  DleDecoder dle;
  EXPECT_EQ(ReadKeyReport(engine, dle).value().key, '9');
  EXPECT_NE(w.console.Text().find("ab\x10"
                                  "9"),
            std::string::npos);
}

}  // namespace

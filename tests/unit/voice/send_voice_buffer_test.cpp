#include "voice/send_voice_buffer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "modem/command_engine.h"
#include "open_line.h"
#include "virtual_world.h"

namespace {

struct PromptCase {
  const char* name;
  std::size_t prompt_len;
  std::vector<std::size_t> pieces;
};

class SendVoiceBufferTest : public testing::TestWithParam<PromptCase> {};

TEST_P(SendVoiceBufferTest, SendsThePromptWithoutItsTerminator) {
  const PromptCase& c = GetParam();
  VirtualWorld w("echo off\nbaud 38400\non \"AT #VTX\": \"CONNECT\" voice-tx\n");
  OpenLine(w);
  std::string prompt;
  for (std::size_t i = 0; i < c.prompt_len; ++i) prompt += static_cast<char>('a' + i % 26);
  CommandEngine& engine = w.engine;
  engine.Send("AT #VTX");
  engine.WaitConnect();

  SendVoiceBuffer(engine, prompt);

  std::vector<std::string> expected = {"AT #VTX\r"};
  std::size_t at = 0;
  for (const std::size_t piece : c.pieces) {
    expected.push_back(prompt.substr(at, piece));
    at += piece;
  }
  EXPECT_EQ(w.serial.Writes(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Prompts, SendVoiceBufferTest,
    testing::Values(PromptCase{.name = "Empty", .prompt_len = 0, .pieces = {}},
                    PromptCase{.name = "OnePiece", .prompt_len = 2048, .pieces = {2048}},
                    PromptCase{.name = "Pieces", .prompt_len = 5000, .pieces = {2048, 2048, 904}}),
    [](const auto& info) { return info.param.name; });

}  // namespace

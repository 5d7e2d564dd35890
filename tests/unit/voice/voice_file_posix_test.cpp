// Voice files in places that only POSIX fills here: a FIFO and a symbolic link. Linux only, by
// file: MinGW's std::filesystem cannot make a link, and neither can Wine.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "virtual_world.h"
#include "voice/voice_file.h"

namespace {

// A FIFO in the message's place would block the job for good: it holds no message.
TEST(LoadMessageFifoTest, IsNoMessage) {
  VirtualWorld w;
  ASSERT_EQ(mkfifo((w.Dir() / "talvin_3").c_str(), 0600), 0);
  EXPECT_EQ(LoadMessageFile(w.Dir() / "talvin_3"), "\x10\x03");
}

TEST(MissingPromptTest, ALinkToNowhereIsReplacedByAnEmptyPrompt) {
  VirtualWorld w;
  const std::filesystem::path star = w.Dir() / "star";
  std::filesystem::create_symlink(w.Dir() / "elsewhere", star);

  testing::internal::CaptureStderr();
  const std::string prompt = LoadVoiceFile(star);

  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "talvo: prompt " + star.string() + " is missing; created it empty\n");
  EXPECT_EQ(prompt, "");
  EXPECT_FALSE(std::filesystem::is_symlink(star));
  EXPECT_EQ(w.ReadFile("star"), "");
  EXPECT_FALSE(w.Exists("elsewhere"));
}

}  // namespace

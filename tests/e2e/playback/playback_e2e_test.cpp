// Playback jobs from the command line to the result: the message reaches the modem byte for
// byte, keys during and after it make the entry, the read-back plays real prompt files in one
// transmission, and the job leaves its marker and its trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/e2e_job.h"

namespace {

const std::string kDleEtx = "\x10\x03";
constexpr char kDle = 16;

// A modem on a line at 38400 baud that answers the dialled call; `rules` come first.
std::string Scenario(const std::string& rules) {
  return "baud 38400\n"
         "on \"ATI3\": \"VMODEM 56000 VOICE\" \"OK\"\n"
         "on \"ATD5551234\": wait 300 \"RINGING\" wait 500 \"VCON\"\n" +
         rules + "on \"AT #VTX\": \"CONNECT\" voice-tx\n";
}

// Random voice data of `size` bytes and its terminator; with `shielded`, data bytes 16 occur,
// each sent as DLE DLE.
std::string VoiceFile(std::size_t size, bool shielded) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string data;
  while (data.size() < size) {
    const char c = static_cast<char>(byte(random));
    if (c == kDle && !shielded) continue;
    data += c;
    if (c == kDle) data += kDle;
  }
  if (data.size() > size) {
    data.resize(size - 1);  // never cut a shielded pair in two
    data += 'x';
  }
  return data + kDleEtx;
}

std::string KeysAfter(int transmission, const std::string& keys) {
  return "on \"AT #VTX\" #" + std::to_string(transmission) + ": \"CONNECT\" voice-tx until-end " +
         keys + "\n";
}

void ExpectFinished(const E2eJob& job) {
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_TRUE(trace.ends_with("****  End of TAL_VO  ****  \r\n")) << trace;
  EXPECT_TRUE(job.Exists("talvin2_3"));
}

TEST(PlaybackE2eTest, TheModemReceivesTheMessageExactlyThenTheEntry) {
  E2eJob job(Scenario(KeysAfter(2, "wait 500 key 1 wait 300 key 2 wait 300 key 3 wait 300 key *")));
  const std::string message = VoiceFile(9000, true);
  job.WriteFile("talvin_3", message);
  job.WriteFile("params_3", "30\r\n3\r\nNO\r\n2\r\n");

  const TalvoRun run = job.RunTalvo({"000N035551234"});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$123*$\r\n");
  const std::vector<std::string> voice = job.VoiceData();
  ASSERT_EQ(voice.size(), 2u);
  EXPECT_EQ(voice[0], message);
  EXPECT_EQ(voice[1], kDleEtx);
  const std::string transcript = job.Transcript();
  EXPECT_NE(transcript.find("AT #VTX\r" + message + "AT #VTS=[880,0,10]\r"), std::string::npos);
  const std::string trace = job.ReadFile("trace_3");
  EXPECT_NE(trace.find("****  Vocal message contains 009002 characters  ****\r\n"),
            std::string::npos)
      << trace;
  EXPECT_NE(trace.find("****  End of Voice Transmit  **** \r\n"), std::string::npos);
  ExpectFinished(job);
}

TEST(PlaybackE2eTest, AKeyDuringTheMessageStopsItAtAPieceBoundary) {
  E2eJob job(Scenario(
      "on \"AT #VTX\" #1: \"CONNECT\" voice-tx until-bytes 5000 key 5 wait 600 key 6 wait 300 "
      "key *\n"));
  const std::string message = VoiceFile(30000, false);
  job.WriteFile("talvin_3", message);
  job.WriteFile("params_3", "30\r\n3\r\nNO\r\n2\r\n");

  const TalvoRun run = job.RunTalvo({"000N035551234"});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$56*$\r\n");
  const std::vector<std::string> voice = job.VoiceData();
  ASSERT_EQ(voice.size(), 1u);
  ASSERT_TRUE(voice[0].ends_with(kDleEtx));
  const std::size_t played = voice[0].size() - kDleEtx.size();
  EXPECT_EQ(played % 2048, 0u) << played;
  EXPECT_GT(played, 5000u);
  EXPECT_LT(played, message.size() - kDleEtx.size());
  EXPECT_EQ(voice[0].substr(0, played), message.substr(0, played));
  ExpectFinished(job);
}

TEST(PlaybackE2eTest, ReadBackPlaysThePromptFilesInOneTransmission) {
  E2eJob job(Scenario(KeysAfter(2, "wait 500 key 4 wait 300 key 0 wait 300 key b") +
                      KeysAfter(3, "wait 500 key 9 wait 300 key *")));
  job.WriteFile("talvin_3", VoiceFile(3000, true));
  job.WriteFile("params_3", "30\r\n3\r\nYESprompts/\r\n2\r\n");
  std::filesystem::create_directory(job.Dir() / "prompts");
  const auto prompt = [](const std::string& name) {
    return "[" + name + "]" + VoiceFile(700, true);
  };
  for (const std::string name : {"verif1", "verif2", "zero", "four", "star"}) {
    job.WriteFile("prompts/" + name, prompt(name));
  }
  const auto said = [&](const std::string& name) {
    const std::string p = prompt(name);
    return p.substr(0, p.size() - kDleEtx.size());
  };
  // The StopCode that ends the entry repeats the prompt before it.
  const std::string heard =
      said("verif1") + said("four") + said("zero") + said("zero") + said("verif2");

  const TalvoRun run = job.RunTalvo({"000N035551234"});

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(job.ReadFile("talvin_3"), "$40b$\r\n");
  const std::vector<std::string> voice = job.VoiceData();
  ASSERT_EQ(voice.size(), 3u);
  EXPECT_EQ(voice[2], heard + kDleEtx);
  ExpectFinished(job);
}

}  // namespace

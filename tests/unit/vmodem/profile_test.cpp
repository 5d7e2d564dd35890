#include "vmodem/profile.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "vmodem/engine.h"

namespace vmodem {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

const std::string kOk = "\r\nOK\r\n";

// DLE before each of the events.
std::string Dle(std::string_view events) {
  std::string out;
  for (const char event : events) out += std::string{'\x10', event};
  return out;
}

struct ProfileCase {
  const char* name;
  const char* profile;
  std::vector<std::string> sent;  // at 0 ms; the answers are taken a minute later
  std::string out;
};

class ProfileTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileTest, SaysItAsTheChipDoes) {
  const ProfileCase& c = GetParam();
  Engine modem(
      ParseScenario("echo off\non \"RING*\": \"RING\" \"RING\"\non \"ATD*\": key b\n"
                    "on \"KEY\": key 5\non \"ATI3\": \"VMODEM\" \"OK\"\non \"AT+VTX\": voice-tx",
                    "."),
      std::nullopt, FindProfile(c.profile));
  for (const std::string& line : c.sent) modem.Receive(line, 0ms);
  EXPECT_EQ(modem.TakeOutput(60'000ms), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ProfileTest,
    testing::Values(
        ProfileCase{"RingAsDleR", "cx93001", {"RING\r"}, Dle("RR")},
        ProfileCase{"CallerIdAfterTheFirstRing",
                    "cx93001",
                    {"AT+VCID=1\r", "RING\r"},
                    kOk + Dle("R") +
                        "\r\nDATE = 1209\r\n\r\nTIME = 1030\r\n\r\nNMBR = 5551234\r\n" +
                        "\r\nNAME = ANNA SMITH\r\n" + Dle("R")},
        ProfileCase{"CallerIdForgottenAtAtz",
                    "usr5637",
                    {"AT+VCID=1\r", "ATZ\r", "RING\r"},
                    kOk + kOk + "\r\nRING\r\n\r\nRING\r\n"},
        ProfileCase{"KeyBetweenToneStartAndEnd", "cx93001", {"KEY\r"}, Dle("/5~")},
        ProfileCase{"BusyRepeated", "usr5637", {"ATD1\r"}, Dle("bbbb")},
        ProfileCase{"BusyLineOnce", "rc56", {"ATD1\r"}, "\r\nBUSY\r\n"},
        ProfileCase{"HandsetEventAfterLineSelection",
                    "usr5637",
                    {"AT+VLS=4\r", "AT+VLS=0\r", "AT+VLS=?\r"},
                    kOk + Dle("H") + kOk + kOk},
        ProfileCase{"TransmitEndsWithOkAlone", "cx93001", {"AT+VTX\r", "ab\x10\x03"s}, kOk},
        ProfileCase{
            "IdentificationBeforeTheScenarios", "rc56", {"ATI3\r"}, "\r\nRC56LD VOICE\r\n" + kOk}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vmodem

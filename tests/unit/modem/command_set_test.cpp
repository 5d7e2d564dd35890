// The command sets side by side, and the parsers of what a V.253 modem lists. The V.253 call
// reports are rows of the call progress table; whole V.253 jobs run end to end against vmodem.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "modem/command_set_choice.h"
#include "modem/compression_listing.h"
#include "modem/device_listing.h"
#include "modem/hash_command_set.h"
#include "modem/reply_fields.h"
#include "modem/v253_command_set.h"
#include "modem/value_ranges.h"
#include "modem/voice_coding.h"
#include "virtual_world.h"

namespace {

const VoiceCoding kU8{.name = "u8", .rate = 8000};

struct Texts {
  std::optional<std::string> port_settings;
  std::string transmit, receive, end_reception, tone, silence, leave, leave_and_hang_up;
};

Texts TextsOf(const CommandSet& set, int modem_type) {
  return {set.PortSettings(modem_type),      std::string(set.VoiceTransmit()),
          std::string(set.VoiceReceive()),   std::string(set.EndReception()),
          std::string(set.AttentionTone()),  std::string(set.SilenceDetection()),
          std::string(set.LeaveVoiceMode()), std::string(set.LeaveVoiceModeAndHangUp())};
}

void ExpectTexts(const Texts& got, const Texts& want) {
  EXPECT_EQ(got.port_settings, want.port_settings);
  EXPECT_EQ(got.transmit, want.transmit);
  EXPECT_EQ(got.receive, want.receive);
  EXPECT_EQ(got.end_reception, want.end_reception);
  EXPECT_EQ(got.tone, want.tone);
  EXPECT_EQ(got.silence, want.silence);
  EXPECT_EQ(got.leave, want.leave);
  EXPECT_EQ(got.leave_and_hang_up, want.leave_and_hang_up);
}

TEST(CommandSetTest, EachSetHasItsOwnTexts) {
  HashCommandSet hash;
  ExpectTexts(TextsOf(hash, 0),
              {"19200,n,8,1", "AT #VTX", "AT #VRX", "\x10\x03", "AT #VTS=[880,0,10]",
               "AT #VSP=15 #VSD=1  #VSS=2", "AT #CLS=0", "AT #CLS=0 H0"});
  EXPECT_EQ(hash.PortSettings(1), "38400,n,8,1");
  EXPECT_EQ(hash.PortSettings(2), std::nullopt);
  EXPECT_EQ(hash.SelectDevice(VoiceDevice::kHandset), "AT #VLS=1");
  EXPECT_EQ(hash.SelectDevice(VoiceDevice::kSpeaker), "AT #VLS=2");
  EXPECT_EQ(hash.SelectDevice(VoiceDevice::kMicrophone), "AT #VLS=3");

  const V253CommandSet v253(kU8);
  for (const int modem_type : {0, 1, 2}) {
    ExpectTexts(TextsOf(v253, modem_type),
                {"115200,n,8,1", "AT+VTX", "AT+VRX", "\x10!", "AT+VTS=[880,0,100]", "AT+VSD=128,15",
                 "AT+FCLASS=0", "AT+FCLASS=0;H0"});
  }
}

struct ChoiceCase {
  const char* name;
  const char* command_set = nullptr;  // nullptr: unset
  const char* coding = nullptr;
  const char* rate = nullptr;
  std::optional<std::string> port_settings{};  // nullopt: refused
};

class CommandSetChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(CommandSetChoiceTest, TakesHashOrV253AndRefusesTheRest) {
  const ChoiceCase& c = GetParam();
  const CommandSetChoice choice = ChooseCommandSet(c.command_set, c.coding, c.rate);
  if (!c.port_settings) {
    EXPECT_EQ(choice.commands, nullptr);
    EXPECT_FALSE(choice.refusal.empty());
    return;
  }
  ASSERT_NE(choice.commands, nullptr);
  EXPECT_EQ(choice.commands->PortSettings(0), c.port_settings);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandSetChoiceTest,
    testing::Values(
        ChoiceCase{.name = "Unset", .port_settings = "19200,n,8,1"},
        // The "#" set uses no coding: whatever the coding variables say does not matter.
        ChoiceCase{.name = "Hash",
                   .command_set = "hash",
                   .coding = "gsm",
                   .rate = "x",
                   .port_settings = "19200,n,8,1"},
        ChoiceCase{.name = "V253",
                   .command_set = "v253",
                   .coding = "alaw",
                   .rate = "7200",
                   .port_settings = "115200,n,8,1"},
        ChoiceCase{.name = "UpperCase", .command_set = "V253"},
        ChoiceCase{.name = "Empty", .command_set = ""},
        ChoiceCase{.name = "UnknownCoding", .command_set = "v253", .coding = "adpcm4"},
        ChoiceCase{.name = "RateNotANumber", .command_set = "v253", .coding = "ulaw", .rate = "8k"},
        ChoiceCase{.name = "RateZero", .command_set = "v253", .coding = "ulaw", .rate = "0"},
        ChoiceCase{.name = "Rockwell3HasNoModemName", .command_set = "v253", .coding = "rockwell3"},
        // 16000 bytes a second, more than the 11520 that 115200 bit/s carry.
        ChoiceCase{.name = "S16TooFastForTheLine", .command_set = "v253", .coding = "s16"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MethodCase {
  const char* name;
  std::vector<std::string> listing;  // the lines of the answer to "AT+VSM=?"
  VoiceCoding coding;
  std::optional<int> number{};  // nullopt: the modem does not offer the coding
};

class ChooseMethodTest : public testing::TestWithParam<MethodCase> {};

TEST_P(ChooseMethodTest, PicksTheMethodByNameAndRate) {
  const MethodCase& c = GetParam();
  const auto method = ChooseMethod(ParseCompressionListing(c.listing), c.coding);
  EXPECT_EQ(method ? std::optional<int>(method->number) : std::nullopt, c.number);
}

// Listings as vendors print them. The same numbers name different codings.
const std::vector<std::string> kPrefixedListing = {
    R"(+VSM: 1,"UNSIGNED PCM",8,0,(7200,8000),(0),(0))",
    R"(+VSM: 128,"8-BIT LINEAR",8,0,(7200,8000),(0),(0))",
    R"(+VSM: 129,"ADPCM",4,0,(7200,8000),(0),(0))", R"(+VSM: 131,"ULAW",8,0,(7200,8000),(0),(0))",
    R"(+VSM: 132,"ALAW",8,0,(7200,8000),(0),(0))"};
const std::vector<std::string> kBareListing = {
    R"(128,"8-bit linear",8,0,(7200,8000,11025),(0),(0))",
    R"(129,"16-bit linear",16,0,(7200,8000,11025),(0),(0))", R"(130,"A-law",8,0,8000,0,0)",
    "131,\"\xC2\xB5-law\",8,0,8000,0,0", R"(132,"IMA ADPCM",4,0,8000,0,0)"};
const std::vector<std::string> kSignedListing = {R"(128,"SIGNED PCM",12,0,7200-8000,0,0)",
                                                 R"(132,"ADPCM/AQ",2,0,7200-8000,0,0)"};
// Names that carry the bits, and one name for two codings that only the bits tell apart.
const std::vector<std::string> kAdpcmListing = {
    R"(128,"SIGNED PCM",16,0,8000,0,0)", R"(129,"IMA ADPCM",4,0,8000,0,0)",
    R"(130,"SIGNED PCM",8,0,8000,0,0)",  R"x(133,"LINEAR(16)",16,0,7200,0,0)x",
    R"(140,"2 Bit ADPCM",2,0,8000,0,0)", R"(141,"4 Bit ADPCM",4,0,7200,0,0)"};

// Two chips users have: the same numbers mean other codings, and the laws go by other names.
const std::vector<std::string> kCx93001Listing = {
    R"(0,"SIGNED PCM",8,0,8000,0,0)",   R"(1,"UNSIGNED PCM",8,0,8000,0,0)",
    R"(129,"IMA ADPCM",4,0,8000,0,0)",  R"(130,"UNSIGNED PCM",8,0,8000,0,0)",
    R"(131,"Mu-Law",8,0,8000,0,0)",     R"(132,"A-Law",8,0,8000,0,0)",
    R"(133,"14 bit PCM",16,0,8000,0,0)"};
const std::vector<std::string> kUsr5637Listing = {
    R"(128,"8-BIT LINEAR",8,0,(7200,8000,11025))", R"(129,"16-BIT LINEAR",16,0,(7200,8000,11025))",
    R"(130,"8-BIT ALAW",8,0,(8000))", R"(131,"8-BIT ULAW",8,0,(8000))",
    R"(132,"IMA ADPCM",4,0,(7200,8000,11025))"};
const std::vector<std::string> kG711Listing = {R"(1,"ITU-T G.711 U-LAW",8,0,8000,0,0)",
                                               R"(2,"ITU-T G.711 A-LAW",8,0,8000,0,0)"};

MethodCase Row(const char* name, const std::vector<std::string>& listing, const char* coding,
               int rate, std::optional<int> number) {
  return {.name = name, .listing = listing, .coding = {coding, rate}, .number = number};
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChooseMethodTest,
    testing::Values(MethodCase{.name = "PrefixedU8IsTheFirstUnsignedPcm",
                               .listing = kPrefixedListing,
                               .coding = kU8,
                               .number = 1},
                    MethodCase{.name = "PrefixedUlawIs131",
                               .listing = kPrefixedListing,
                               .coding = {.name = "ulaw", .rate = 7200},
                               .number = 131},
                    MethodCase{.name = "PrefixedAlawIs132",
                               .listing = kPrefixedListing,
                               .coding = {.name = "alaw", .rate = 8000},
                               .number = 132},
                    MethodCase{.name = "BareU8Is128",
                               .listing = kBareListing,
                               .coding = {.name = "u8", .rate = 11025},
                               .number = 128},
                    MethodCase{.name = "BareAlawIs130",
                               .listing = kBareListing,
                               .coding = {.name = "alaw", .rate = 8000},
                               .number = 130},
                    MethodCase{.name = "BareMicroLawIs131",
                               .listing = kBareListing,
                               .coding = {.name = "ulaw", .rate = 8000},
                               .number = 131},
                    MethodCase{.name = "Latin1Micro",
                               .listing = {"7,\"\xB5-LAW\",8,0,8000,0,0"},
                               .coding = {.name = "ulaw", .rate = 8000},
                               .number = 7},
                    MethodCase{.name = "RateNotListed",
                               .listing = kBareListing,
                               .coding = {.name = "ulaw", .rate = 7200}},
                    MethodCase{
                        .name = "SignedPcmIsNotU8", .listing = kSignedListing, .coding = kU8},
                    MethodCase{.name = "RateInARange",
                               .listing = {R"(+VSM:5,"ALAW",8,0,7000-9000;11025,0,0)"},
                               .coding = {.name = "alaw", .rate = 8000},
                               .number = 5},
                    MethodCase{.name = "NoListing", .listing = {}, .coding = kU8},
                    Row("S16IsSignedPcmOf16Bits", kAdpcmListing, "s16", 8000, 128),
                    Row("S8IsSignedPcmOf8Bits", kAdpcmListing, "s8", 8000, 130),
                    Row("S16LinearWithItsBits", kAdpcmListing, "s16", 7200, 133),
                    Row("Ima", kAdpcmListing, "ima", 8000, 129),
                    Row("Rockwell2", kAdpcmListing, "rockwell2", 8000, 140),
                    Row("Rockwell4", kAdpcmListing, "rockwell4", 7200, 141),
                    Row("S16SixteenBitLinear", kBareListing, "s16", 11025, 129),
                    Row("TwelveBitSignedPcmIsNotS16", kSignedListing, "s16", 8000, std::nullopt),
                    Row("Cx93001Alaw", kCx93001Listing, "alaw", 8000, 132),
                    Row("Cx93001MuLaw", kCx93001Listing, "ulaw", 8000, 131),
                    Row("Cx93001U8", kCx93001Listing, "u8", 8000, 1),
                    Row("Cx93001S8", kCx93001Listing, "s8", 8000, 0),
                    Row("Cx93001Ima", kCx93001Listing, "ima", 8000, 129),
                    Row("Cx93001NoS16", kCx93001Listing, "s16", 8000, std::nullopt),
                    Row("Usr5637Alaw", kUsr5637Listing, "alaw", 8000, 130),
                    Row("Usr5637Ulaw", kUsr5637Listing, "ulaw", 8000, 131),
                    Row("Usr5637U8", kUsr5637Listing, "u8", 11025, 128),
                    Row("Usr5637S16", kUsr5637Listing, "s16", 7200, 129),
                    Row("Usr5637Ima", kUsr5637Listing, "ima", 8000, 132),
                    Row("ItuUlaw", kG711Listing, "ulaw", 8000, 1),
                    Row("ItuAlaw", kG711Listing, "alaw", 8000, 2)),
    [](const auto& info) { return std::string(info.param.name); });

struct DeviceCase {
  const char* name;
  std::vector<std::string> listing;  // the lines of the answer to "AT+VLS=?"
  const char* primitives;
  std::optional<int> label{};
};

class DeviceListingTest : public testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceListingTest, FindsTheLabelByItsPrimitives) {
  const DeviceCase& c = GetParam();
  EXPECT_EQ(FindLabel(ParseDeviceListing(c.listing), c.primitives), c.label);
}

const std::vector<std::string> kDevices = {R"(+VLS: 0,"",00000000,00000000,00000000)",
                                           R"(+VLS: 1,"T",0B1C8000,0B1C8000,0B1C0000)",
                                           R"(+VLS: 2,"L",00000000,00000000,00000000)",
                                           R"(+VLS: 4,"S",0,0,0)",
                                           R"(+VLS: 8,"S1",0,0,0)",
                                           R"(+VLS: 11,"M1",0,0,0)"};

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceListingTest,
    testing::Values(
        DeviceCase{.name = "Prefixed", .listing = kDevices, .primitives = "L", .label = 2},
        DeviceCase{.name = "Bare",
                   .listing = {R"(0,"",0,0,0)", R"(14,"H",0,0,0)", R"(6,"M",0,0,0)"},
                   .primitives = "H",
                   .label = 14},
        // "S1" and "M1" are not "S" and "M".
        DeviceCase{.name = "ExactPrimitives", .listing = kDevices, .primitives = "S", .label = 4},
        DeviceCase{.name = "NotListed", .listing = kDevices, .primitives = "M"},
        DeviceCase{.name = "OtherLines",
                   .listing = {"AT+VLS=?", "", R"(x,"S",0,0,0)", R"(3,S,0,0,0)"},
                   .primitives = "S"}),
    [](const auto& info) { return std::string(info.param.name); });

// Lookups of one device at a time would not see the order of preference.
TEST(V253CommandSetTest, ShowsTheCodingAndTakesHBeforeLForTheHandset) {
  VirtualWorld w(R"(on "AT+VLS=?": "2,\"L\",0,0,0" "14,\"H\",0,0,0" "OK"
on "AT+VSM=?": "1,\"UNSIGNED PCM\",8,0,8000,0,0" "OK"
)");
  w.serial.SetCommPort(1);
  w.serial.SetPortOpen(true);
  V253CommandSet v253(kU8);
  CommandEngine& engine = w.engine;
  v253.EnterVoiceMode(engine, w.values, w.console, w.endings, {.goes_away = 0, .never_came = 0});
  EXPECT_EQ(v253.SelectDevice(VoiceDevice::kHandset), "AT+VLS=14");
  EXPECT_NE(w.console.Text().find("****  Voice coding 1 \"UNSIGNED PCM\" at 8000 Hz  ****\r\n"),
            std::string::npos)
      << w.console.Text();
}

struct RangeCase {
  const char* name;
  const char* answer;  // to "AT+VRN=?"
  int wanted;
  std::optional<int> chosen{};
};

class ValueRangesTest : public testing::TestWithParam<RangeCase> {};

TEST_P(ValueRangesTest, ChoosesTheLargestOfferedValueNotAboveTheWantedOne) {
  const RangeCase& c = GetParam();
  EXPECT_EQ(LargestUpTo(ParseValueRanges(WithoutPrefix(c.answer, "+VRN")), c.wanted), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueRangesTest,
    testing::Values(
        RangeCase{.name = "Prefixed", .answer = "+VRN: (0-10)", .wanted = 26, .chosen = 10},
        RangeCase{.name = "Bare", .answer = "0-25", .wanted = 26, .chosen = 25},
        RangeCase{.name = "WantedOffered", .answer = "(0-255)", .wanted = 26, .chosen = 26},
        RangeCase{.name = "List", .answer = "(0,5,30)", .wanted = 26, .chosen = 5},
        RangeCase{.name = "AllAbove", .answer = "(30-60)", .wanted = 26},
        RangeCase{.name = "Garbage", .answer = "+VRN: what", .wanted = 26}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

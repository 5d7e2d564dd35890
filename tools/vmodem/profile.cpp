#include "vmodem/profile.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

namespace vmodem {
namespace {

using namespace std::chrono_literals;
using Kind = Action::Kind;

constexpr std::array<std::string_view, 4> kConexantCallerId = {
    "DATE = 1209", "TIME = 1030", "NMBR = 5551234", "NAME = ANNA SMITH"};
// "P": the caller's number is private.
constexpr std::array<std::string_view, 3> kUsRoboticsCallerId = {"DATE=1209", "TIME=1030",
                                                                 "NMBR=P"};
// "O": out of area.
constexpr std::array<std::string_view, 4> kRockwellCallerId = {"DATE = 1209", "TIME = 1030",
                                                               "NMBR = O", "NAME = O"};

constexpr std::array<Profile, 3> kProfiles{{
    {.name = "cx93001",
     .v253 = true,
     .rules = R"scn(
on "ATI3": "56000" "OK"
on "AT+VSM=?": "0,\"SIGNED PCM\",8,0,8000,0,0" "1,\"UNSIGNED PCM\",8,0,8000,0,0" "129,\"IMA ADPCM\",4,0,8000,0,0" "130,\"UNSIGNED PCM\",8,0,8000,0,0" "131,\"Mu-Law\",8,0,8000,0,0" "132,\"A-Law\",8,0,8000,0,0" "133,\"14 bit PCM\",16,0,8000,0,0" "OK"
)scn",
     .ring_event = true,
     .bracketed_keys = true,
     .busy_events = 4,
     .transmit_end = VoiceEnd::kOk,
     .receive_end = VoiceEnd::kDleEtxOk,
     .line_select_event = 0,
     .caller_id_on = "+VCID=1",
     .caller_id = kConexantCallerId},
    {.name = "usr5637",
     .v253 = true,
     .rules = R"scn(
on "AT+VSM=?": "128,\"8-BIT LINEAR\",8,0,(7200,8000,11025),0,0" "129,\"16-BIT LINEAR\",16,0,(7200,8000,11025),0,0" "130,\"8-BIT ALAW\",8,0,(8000),0,0" "131,\"8-BIT ULAW\",8,0,(8000),0,0" "132,\"IMA ADPCM\",4,0,(7200,8000,11025),0,0" "OK"
)scn",
     .ring_event = false,
     .bracketed_keys = false,
     .busy_events = 4,
     .transmit_end = VoiceEnd::kOk,
     .receive_end = VoiceEnd::kDleEtxOk,
     .line_select_event = 'H',
     .caller_id_on = "+VCID=1",
     .caller_id = kUsRoboticsCallerId},
    // "AT*#VSM=?" takes the listing request with or without the blank after AT.
    {.name = "rc56",
     .v253 = false,
     .rules = R"scn(
on "ATI3": "RC56LD VOICE" "OK"
on "AT*#VSM=?": "1,\"UNSIGNED PCM\",8,0,(7200,8000,11025)" "129,\"IMA ADPCM\",4,0,(7200,8000,11025)" "130,\"UNSIGNED PCM\",8,0,(7200,8000,11025)" "140,\"2 Bit ADPCM\",2,0,(7200,8000,11025)" "141,\"4 Bit ADPCM\",4,0,(7200,8000,11025)" "OK"
)scn",
     .ring_event = false,
     .bracketed_keys = false,
     .busy_events = 0,
     .transmit_end = VoiceEnd::kVcon,
     .receive_end = VoiceEnd::kVcon,
     .line_select_event = 0,
     .caller_id_on = "#CID=1",
     .caller_id = kRockwellCallerId},
}};

// A V.253 modem repeats its busy report this often.
constexpr std::chrono::milliseconds kBusyRepeat = 4000ms;

Action Reply(std::string_view text) {
  return {Kind::kReply, std::string(text)};
}

Action Key(char key) {
  return {Kind::kKey, std::string(1, key)};
}

bool Is(const Action& action, Kind kind, std::string_view text) {
  return action.kind == kind && action.text == text;
}

bool IsKeyPress(const Action& action) {
  return action.kind == Kind::kKey &&
         std::string_view("0123456789*#ABCD").find(action.text) != std::string_view::npos;
}

// AT+VLS=n with n a number other than 0.
bool SelectsALine(std::string_view command) {
  constexpr std::string_view kSelect = "AT+VLS=";
  if (!command.starts_with(kSelect)) return false;
  const std::string_view n = command.substr(kSelect.size());
  return !n.empty() && n.find_first_not_of("0123456789") == std::string_view::npos &&
         n.find_first_not_of('0') != std::string_view::npos;
}

std::vector<Action> EndOfVoice(VoiceEnd end) {
  switch (end) {
    case VoiceEnd::kVcon:
      return {Reply("VCON")};
    case VoiceEnd::kOk:
      return {Reply("OK")};
    case VoiceEnd::kDleEtxOk:
      return {{Kind::kBytes, "\x10\x03"}, Reply("OK")};
  }
  return {};
}

}  // namespace

const Profile* FindProfile(std::string_view name) {
  const auto found = std::find_if(kProfiles.begin(), kProfiles.end(),
                                  [&](const Profile& p) { return p.name == name; });
  return found == kProfiles.end() ? nullptr : &*found;
}

Scenario WithProfile(const Profile& profile, Scenario s) {
  std::vector<Rule> rules = ParseScenario(profile.rules, {}).rules;
  rules.insert(rules.end(), std::make_move_iterator(s.rules.begin()),
               std::make_move_iterator(s.rules.end()));
  s.rules = std::move(rules);
  s.v253 = profile.v253;
  return s;
}

bool CallerIdAfter(const Profile& profile, std::string_view command, bool on) {
  if (command.find("ATZ") != std::string_view::npos) on = false;
  return on || command.find(profile.caller_id_on) != std::string_view::npos;
}

std::vector<Action> Rewrite(const Profile& profile, const Occasion& occasion, bool caller_id,
                            std::vector<Action> actions) {
  if (occasion.kind == Occasion::Kind::kTransmitEnd) return EndOfVoice(profile.transmit_end);
  if (occasion.kind == Occasion::Kind::kReceiveEnd) return EndOfVoice(profile.receive_end);
  bool stray_event = profile.line_select_event != 0 && SelectsALine(occasion.command);
  bool report_due = caller_id;  // after the first ring
  std::vector<Action> out;
  for (Action& action : actions) {
    if (Is(action, Kind::kReply, "RING") || Is(action, Kind::kKey, "R")) {
      out.push_back(profile.ring_event ? Key('R') : Reply("RING"));
      if (std::exchange(report_due, false)) {
        for (const std::string_view line : profile.caller_id) out.push_back(Reply(line));
      }
    } else if (Is(action, Kind::kReply, "BUSY") || Is(action, Kind::kKey, "b")) {
      if (profile.busy_events == 0) out.push_back(Reply("BUSY"));
      for (int i = 0; i < profile.busy_events; ++i) {
        if (i > 0) out.push_back({Kind::kWait, "", 0, kBusyRepeat});
        out.push_back(Key('b'));
      }
    } else if (profile.bracketed_keys && IsKeyPress(action)) {
      out.push_back(Key('/'));
      out.push_back(std::move(action));
      out.push_back(Key('~'));
    } else {
      const bool ok = Is(action, Kind::kReply, "OK");
      out.push_back(std::move(action));
      if (ok && std::exchange(stray_event, false)) out.push_back(Key(profile.line_select_event));
    }
  }
  return out;
}

}  // namespace vmodem

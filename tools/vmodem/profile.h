#pragma once
// Chip profiles: what a real modem chip says, as far as talvo meets it, laid over any scenario.
//
// A profile works in two ways. Its rules answer the chip's identification and listings; they
// come before the scenario's own rules, so the chip's listing replaces the scenario's. And it
// rewrites every action list the engine starts (a command's answer, the reply that ends a voice
// transmission or reception) into what the chip sends: a ring as the line RING or as the DLE
// event "R", a key bare or between the tone's start and end reports, busy once as a line or
// repeated as a DLE event, the chip's own replies at the end of voice, a stray event after a
// command, and the caller-ID report after the first ring once the host has switched caller ID
// on. The engine keeps that switch (CallerIdAfter) and rewrites before chaos, so chaos disturbs
// what the chip says. A profile also fixes the command set, which decides how the host ends a
// reception. The profiles are one table of data (profile.cpp).
#include <span>
#include <string_view>
#include <vector>

#include "vmodem/scenario.h"

namespace vmodem {

// How a chip ends voice transmit or receive.
enum class VoiceEnd { kVcon, kOk, kDleEtxOk };

struct Profile {
  std::string_view name;
  bool v253;               // the command set; else the "#" set
  std::string_view rules;  // scenario text: the chip's identification and listings
  bool ring_event;         // a ring as DLE "R", not the line RING
  bool bracketed_keys;     // DLE "/" before each key report and DLE "~" after it
  int busy_events;         // busy as this many DLE "b", 4 s apart; 0: the line BUSY once
  VoiceEnd transmit_end;
  VoiceEnd receive_end;
  char line_select_event;         // sent after the "OK" to AT+VLS=n for n other than 0; 0: none
  std::string_view caller_id_on;  // the setting in a command line that switches caller ID on
  std::span<const std::string_view> caller_id;  // the report's lines
};

// nullptr when no profile has that name.
const Profile* FindProfile(std::string_view name);

// `s` with the profile's rules ahead of its own and the profile's command set.
Scenario WithProfile(const Profile& profile, Scenario s);

// Whether caller ID is on after the host's command line, `on` before it: ATZ forgets it, the
// profile's setting switches it on.
bool CallerIdAfter(const Profile& profile, std::string_view command, bool on);

// What started an action list.
struct Occasion {
  enum class Kind { kCommand, kTransmitEnd, kReceiveEnd };
  Kind kind;
  std::string_view command{};  // the command line, for kCommand
};

std::vector<Action> Rewrite(const Profile& profile, const Occasion& occasion, bool caller_id,
                            std::vector<Action> actions);

}  // namespace vmodem

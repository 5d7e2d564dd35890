#pragma once
// The command set: which texts talvo sends for the steps that differ between the voice modems
// it can drive, and what the modem's reports mean. Two sets exist: the "#" set of the older
// voice modems ("AT #CLS=8", "AT #VTX", "VCON") and the V.253 set of today's ("AT+FCLASS=8",
// "AT+VTX", "OK"). The phases ask the set for these texts and meanings and never look at which
// set it is; steps that one set needs and the other does not (the V.253 set's queries of what
// the modem offers) happen inside the set.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "console/text_box.h"
#include "core/dle.h"
#include "core/endings.h"
#include "core/job_values.h"
#include "modem/command_engine.h"

// The ringback timers of the voice mode, in tenths of a second: how long ringback may stop, and
// how long it may fail to come, before the modem presumes the called party picked up.
struct RingbackTimers {
  int goes_away;
  int never_came;
};

enum class VoiceDevice { kHandset, kSpeaker, kMicrophone };

// The console line for a modem that refuses voice mode; the job goes on regardless.
inline constexpr std::string_view kNotAVoiceModem =
    "****  Sorry this Modem model is not a voice modem ****\r";

// What one report of the modem says about a call, or about the voice connection a command asked
// for.
enum class CallReport {
  kNone,  // echoes, other replies and events say nothing
  kRing,  // an incoming call rings
  kRingback,
  kConnected,
  kBusy,
  kNoDialTone,
  kBlacklisted,
  kNoAnswer,
};

// A reply line of the modem and what it says.
struct CallMeaning {
  std::string_view line;
  CallReport meaning;
};

// A DLE event of the modem and what it says.
struct EventMeaning {
  DleEvent event;
  CallReport meaning;
};

class CommandSet {
 public:
  virtual ~CommandSet() = default;

  // The line settings the port runs at; nothing leaves the serial control's own settings.
  virtual std::optional<std::string> PortSettings(int modem_type) const = 0;

  // Puts the identified modem into voice mode, idle on the telephone line, with `timers`; the
  // replies land in `v`, and a modem that refuses voice mode gets its line on `term`. A modem
  // that stays silent takes the no-response ending, as does one that offers no voice coding the
  // caller can use.
  virtual void EnterVoiceMode(CommandEngine& engine, JobValues& v, TextBox& term, Endings& endings,
                              RingbackTimers timers) = 0;

  // The command that connects `device`; the modem confirms it as a call connects. Nothing, after
  // one line on stderr, when the modem has no such device.
  virtual std::optional<std::string> SelectDevice(VoiceDevice device) = 0;

  // Whether the modem may send a DLE event anywhere among its replies, with no line end before
  // or after it: every reply read then takes one as a report of its own.
  virtual bool EventsAmongReplies() const = 0;
  // What the last read brought says: the reply line, or the DLE event when it brought one.
  // Reports the set does not know say nothing.
  CallReport Classify(std::string_view line, std::optional<DleEvent> event) const;

  virtual std::string_view VoiceTransmit() const = 0;
  virtual std::string_view VoiceReceive() const = 0;
  // The bytes that end a voice reception the modem has reported the end of.
  virtual std::string_view EndReception() const = 0;
  virtual std::string_view AttentionTone() const = 0;
  virtual std::string_view SilenceDetection() const = 0;
  // Back to data mode, at the end of a job; the second also hangs up.
  virtual std::string_view LeaveVoiceMode() const = 0;
  virtual std::string_view LeaveVoiceModeAndHangUp() const = 0;
  // Switches on the caller-ID report that the modem sends between the first and second ring.
  virtual std::string_view CallerIdOn() const = 0;

 private:
  // The reports that say something about a call.
  virtual std::span<const CallMeaning> Meanings() const = 0;
  virtual std::span<const EventMeaning> EventMeanings() const { return {}; }
};

#pragma once
// The V.253 voice command set of today's voice modems: "AT+FCLASS=8" enters voice mode, "OK"
// reports a voice connection (a presumed pickup after dialling), and the modem reports busy and
// dial tone as DLE events as well as reply lines. The port runs at 115200 bit/s, enough for an
// 8-bit coding at 8000 Hz and its DLE shielding, not for a 16-bit one.
#include <vector>

#include "modem/command_set.h"
#include "modem/device_listing.h"
#include "modem/voice_coding.h"

// The bytes a second the port carries: 10 bits a byte at 115200 bit/s.
inline constexpr long long kV253BytesPerSecond = 11520;

class V253CommandSet : public CommandSet {
 public:
  explicit V253CommandSet(VoiceCoding coding) : coding_(std::move(coding)) {}

  std::optional<std::string> PortSettings(int modem_type) const override;
  // Also learns the modem's devices, which SelectDevice picks from.
  void EnterVoiceMode(CommandEngine& engine, JobValues& v, TextBox& term, Endings& endings,
                      RingbackTimers timers) override;
  std::optional<std::string> SelectDevice(VoiceDevice device) override;
  bool EventsAmongReplies() const override { return true; }

  std::string_view VoiceTransmit() const override { return "AT+VTX"; }
  std::string_view VoiceReceive() const override { return "AT+VRX"; }
  std::string_view EndReception() const override;
  std::string_view AttentionTone() const override { return "AT+VTS=[880,0,100]"; }
  std::string_view SilenceDetection() const override { return "AT+VSD=128,15"; }
  std::string_view LeaveVoiceMode() const override { return "AT+FCLASS=0"; }
  std::string_view LeaveVoiceModeAndHangUp() const override { return "AT+FCLASS=0;H0"; }
  std::string_view CallerIdOn() const override { return "AT+VCID=1"; }

 private:
  std::span<const CallMeaning> Meanings() const override;
  std::span<const EventMeaning> EventMeanings() const override;
  VoiceCoding coding_;
  std::vector<DeviceConfiguration> devices_;
};

#pragma once
// The "#" voice command set: "AT #CLS=8" enters voice mode, "VCON" reports a voice connection,
// and every reply, call progress included, comes as a whole line.
#include "modem/command_set.h"

class HashCommandSet : public CommandSet {
 public:
  std::optional<std::string> PortSettings(int modem_type) const override;
  void EnterVoiceMode(CommandEngine& engine, JobValues& v, TextBox& term, Endings& endings,
                      RingbackTimers timers) override;
  std::optional<std::string> SelectDevice(VoiceDevice device) override;
  bool EventsAmongReplies() const override { return false; }

  std::string_view VoiceTransmit() const override { return "AT #VTX"; }
  std::string_view VoiceReceive() const override { return "AT #VRX"; }
  std::string_view EndReception() const override;
  std::string_view AttentionTone() const override { return "AT #VTS=[880,0,10]"; }
  std::string_view SilenceDetection() const override { return "AT #VSP=15 #VSD=1  #VSS=2"; }
  std::string_view LeaveVoiceMode() const override { return "AT #CLS=0"; }
  std::string_view LeaveVoiceModeAndHangUp() const override { return "AT #CLS=0 H0"; }
  std::string_view CallerIdOn() const override { return "AT#CID=1"; }

 private:
  std::span<const CallMeaning> Meanings() const override;
};

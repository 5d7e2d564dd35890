#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/voice_buffer.h"

// The values one job's phases share, from start-up to the ending. Counters the parameter file
// and the command line feed are 16-bit, as the callers' files expect; the voice lengths are not.
struct JobValues {
  static constexpr std::int16_t RingLimit = 15;  // ringbacks that mean "no answer"

  // Reply reader.
  std::int16_t TimedOut = 0;
  std::int16_t ReplyTimeout = 15;
  std::string ReplyLine;

  // From the command line.
  std::int16_t EchoFlag = 0;
  std::int16_t ModemType = 0;
  std::string StopCode = "b";
  std::string SourceCode;
  std::string DialModifier;
  std::string JobId;
  std::string PlayTarget;

  // From the parameter file.
  std::int16_t ProgressTimeout = 0;
  std::int16_t RetryCount = 3;
  std::int16_t ReadBack = 0;
  std::string PromptDir;
  std::int16_t PlayCount = 0;
  std::int16_t DigitTimeout = 0;

  // Key entry.
  std::string Digits;
  std::int16_t StarEnded = 0;

  // Voice data: the message (later the recording).
  std::string VoiceBuffer;
  std::size_t VoiceLen = 0;
};

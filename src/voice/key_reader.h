#pragma once
// The modem reports a key, and any other event, as DLE followed by one event character.
// Nothing guarantees that both bytes of a report arrive in the same read, so the reader takes
// the modem's bytes one at a time and keeps a DLE that ends one read for the next: a report
// is never lost, however the bytes are split. Bytes outside a report (stray replies, line
// noise) are dropped.
#include <optional>

#include "job/job_context.h"
#include "modem/command_engine.h"

class KeyReader {
 public:
  // Takes one byte of the modem's stream; returns the event character once a report is whole.
  std::optional<char> Feed(char byte);

  // Reads the bytes waiting in the serial control until a report is whole and returns its
  // event character, or returns nothing once no byte is left. It never reads past a report,
  // so the replies that follow stay for the reply reader.
  std::optional<char> ReadWaiting(JobContext& ctx, CommandEngine& engine);

 private:
  bool after_dle_ = false;
};

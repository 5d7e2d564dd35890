#include "modem/command_set.h"

CallReport CommandSet::Classify(std::string_view report) const {
  for (const CallMeaning& m : Meanings()) {
    if (report == m.report) return m.meaning;
  }
  return CallReport::kNone;
}

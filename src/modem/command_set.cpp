#include "modem/command_set.h"

CallReport CommandSet::Classify(std::string_view line, std::optional<DleEvent> event) const {
  if (event) {
    for (const EventMeaning& m : EventMeanings()) {
      if (*event == m.event) return m.meaning;
    }
    return CallReport::kNone;
  }
  for (const CallMeaning& m : Meanings()) {
    if (line == m.line) return m.meaning;
  }
  return CallReport::kNone;
}

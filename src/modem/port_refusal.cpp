#include "modem/port_refusal.h"

std::string Describe(const PortRefusal& refusal) {
  switch (refusal.reason) {
    case PortRefusal::Reason::kHeldByProcess:
      return "held by another program (PID " + std::to_string(refusal.pid) + ", " +
             refusal.lock_file.string() + ")";
    case PortRefusal::Reason::kHeldByLock:
      return "held by another program (it has the device locked)";
    case PortRefusal::Reason::kNoDevice:
      return "no such device";
    case PortRefusal::Reason::kDenied:
      return "permission denied (is the user in the group that owns the device, e.g. dialout?)";
    case PortRefusal::Reason::kNotATerminal:
      return "not a terminal";
    case PortRefusal::Reason::kOther:
      break;
  }
  return refusal.detail;
}

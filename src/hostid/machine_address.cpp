#include "machine_address.h"

#include <algorithm>
#include <vector>

namespace {

bool IsLoopback(const Ipv4Address& address) {
  return address[0] == 127;
}

}  // namespace

std::optional<Ipv4Address> MachineAddress(Host& host, const std::string& name) {
  const std::vector<Ipv4Address> resolved = host.LookUpHost(name);
  if (auto usable = std::ranges::find_if_not(resolved, IsLoopback); usable != resolved.end()) {
    return *usable;
  }
  // A loopback answer (the 127.0.1.1 line of Debian's hosts file) or none says nothing of where
  // the machine is reachable; its interfaces do.
  for (const InterfaceAddress& candidate : host.InterfaceAddresses()) {
    if (candidate.up && !candidate.loopback) return candidate.address;
  }
  if (resolved.empty()) return std::nullopt;
  return resolved.front();
}

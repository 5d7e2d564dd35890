#pragma once
#include <optional>
#include <string>

#include "host.h"

// The address that stands for the machine named `name`: the resolver's first address outside
// the loopback network; failing that, the first address of an interface that is up and not the
// loopback; failing that, the resolver's loopback address. nullopt when there is none at all.
std::optional<Ipv4Address> MachineAddress(Host& host, const std::string& name);

#pragma once
#include <string>

#include "host.h"

// Searches the adapters in order for the first hardware address whose last three bytes are not
// all zero and writes it into `address` as 12 lowercase hex digits. A failing status query ends
// the search at once. Without a result `address` is empty and the answer is false.
bool GetAdapterAddress(Host& host, std::string& address);

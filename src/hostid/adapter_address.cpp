#include "adapter_address.h"

#include <cstdio>

namespace {

std::string FormatHardwareAddress(const HardwareAddress& bytes) {
  char text[13];
  std::snprintf(text, sizeof text, "%02x%02x%02x%02x%02x%02x", bytes[0], bytes[1], bytes[2],
                bytes[3], bytes[4], bytes[5]);
  return text;
}

}  // namespace

bool GetAdapterAddress(Host& host, std::string& address) {
  address.clear();
  for (AdapterId adapter : host.EnumerateAdapters()) {
    host.ResetAdapter(adapter);
    std::optional<HardwareAddress> status = host.AdapterStatus(adapter);
    if (!status) return false;
    // An address ending in three zero bytes is a placeholder, not a card's own address.
    if ((*status)[3] != 0 || (*status)[4] != 0 || (*status)[5] != 0) {
      address = FormatHardwareAddress(*status);
      return true;
    }
  }
  return false;
}

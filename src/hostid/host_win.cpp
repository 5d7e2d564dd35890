// korvin's host on Windows: the Win32 computer name, NetBIOS for the adapters, Windows Sockets
// 1.1 for the look-ups and the C library's command runner, which starts COMSPEC (or cmd.exe).

// The order of these three matters.
#include <winsock2.h>
// Only after winsock2.h: windows.h would otherwise pull in the old winsock.h.
#include <windows.h>
// Needs the types of windows.h.
#include <nb30.h>

#include <cstdlib>
#include <cstring>

#include "host.h"
#include "stdio_text_file.h"

namespace {

// The adapter status record with room for the 30 names that a status query may list.
struct AdapterStatusBuffer {
  ADAPTER_STATUS status;
  NAME_BUFFER names[30];
};

class WinHost final : public Host {
 public:
  void StartSockets() override {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
  }

  void CleanUpSockets() override { WSACleanup(); }

  std::optional<std::string> ComputerName(std::size_t capacity) override {
    std::string buffer(capacity, '\0');
    DWORD size = static_cast<DWORD>(capacity);
    if (!GetComputerNameA(buffer.data(), &size)) return std::nullopt;
    buffer.resize(size);
    return buffer;
  }

  std::optional<std::string> HostName(std::size_t capacity) override {
    std::string buffer(capacity, '\0');
    if (gethostname(buffer.data(), static_cast<int>(capacity)) != 0) return std::nullopt;
    std::size_t length = strnlen(buffer.c_str(), capacity);
    if (length == capacity) return std::nullopt;
    buffer.resize(length);
    return buffer;
  }

  std::vector<Ipv4Address> LookUpHost(const std::string& name) override {
    std::vector<Ipv4Address> addresses;
    const hostent* entry = gethostbyname(name.c_str());
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4) {
      return addresses;
    }
    for (char* const* listed = entry->h_addr_list; *listed != nullptr; ++listed) {
      Ipv4Address& address = addresses.emplace_back();
      std::memcpy(address.data(), *listed, address.size());
    }
    return addresses;
  }

  // The resolver answers the host name with the machine's own addresses here: no hosts file
  // line puts a loopback address in their place.
  std::vector<InterfaceAddress> InterfaceAddresses() override { return {}; }

  std::vector<AdapterId> EnumerateAdapters() override {
    LANA_ENUM lanas{};
    NCB control{};
    control.ncb_command = NCBENUM;
    control.ncb_buffer = reinterpret_cast<UCHAR*>(&lanas);
    control.ncb_length = sizeof lanas;
    Netbios(&control);
    // A failed enumeration leaves the count at zero.
    return std::vector<AdapterId>(lanas.lana, lanas.lana + lanas.length);
  }

  void ResetAdapter(AdapterId adapter) override {
    NCB control{};
    control.ncb_command = NCBRESET;
    control.ncb_lana_num = static_cast<UCHAR>(adapter);
    Netbios(&control);
  }

  std::optional<HardwareAddress> AdapterStatus(AdapterId adapter) override {
    AdapterStatusBuffer buffer{};
    NCB control{};
    control.ncb_command = NCBASTAT;
    control.ncb_lana_num = static_cast<UCHAR>(adapter);
    std::memcpy(control.ncb_callname, "*               ", NCBNAMSZ);
    control.ncb_buffer = reinterpret_cast<UCHAR*>(&buffer);
    control.ncb_length = sizeof buffer;
    if (Netbios(&control) != NRC_GOODRET) return std::nullopt;
    HardwareAddress address;
    std::memcpy(address.data(), buffer.status.adapter_address, address.size());
    return address;
  }

  // Without a version text the report keeps its "Windows".
  std::optional<std::string> SystemVersionLine() override { return std::nullopt; }

  void RunCommand(const std::string& command) override { std::system(command.c_str()); }

  std::unique_ptr<TextFile> OpenTextFile(const std::string& name) override {
    return OpenStdioTextFile(name, "rt");
  }
};

}  // namespace

std::unique_ptr<Host> MakePlatformHost() {
  return std::make_unique<WinHost>();
}

// korvin's host on Linux. The computer name is the node name; the interfaces with an Ethernet
// style hardware address stand in for the NetBIOS adapters, in the kernel's index order; the
// resolver answers the IPv4 look-ups and getifaddrs lists the interfaces' own addresses; /bin/sh
// runs the interpreter's commands; uname names the system when they leave no version text.

#include <ifaddrs.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "host.h"
#include "stdio_text_file.h"

namespace {

// Gives the Windows interpreter's three commands that korvin runs their meaning in the shell:
// clear the terminal (there is none to clear when the output goes elsewhere), write the version
// text (an empty line, then the system's name and release), delete files. The shell's own
// complaints, such as a "ver" it cannot create, are no part of the report.
constexpr char kInterpreterCommands[] =
    "exec 2>/dev/null\n"
    "cls() { if [ -t 1 ]; then printf '\\033[H\\033[2J'; fi; }\n"
    "ver() {\n"
    "  echo\n"
    "  (\n"
    "    for f in /etc/os-release /usr/lib/os-release; do\n"
    "      if [ -r \"$f\" ]; then . \"$f\"; break; fi\n"
    "    done\n"
    "    printf '%s [Version %s]\\n' \"${PRETTY_NAME:-$(uname -s)}\" \"$(uname -r)\"\n"
    "  )\n"
    "}\n"
    "del() { rm -f -- \"$@\"; }\n";

std::optional<HardwareAddress> ReadHardwareAddress(const char* interface_name) {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  ifreq request{};
  // The name stays NUL-terminated: the request starts zeroed and one byte is kept free.
  std::copy_n(interface_name, strnlen(interface_name, IFNAMSIZ - 1), request.ifr_name);
  int result = ioctl(fd, SIOCGIFHWADDR, &request);
  close(fd);
  if (result != 0 || request.ifr_hwaddr.sa_family != ARPHRD_ETHER) return std::nullopt;
  HardwareAddress address;
  std::memcpy(address.data(), request.ifr_hwaddr.sa_data, address.size());
  return address;
}

std::optional<std::string> NameThatFits(const char* name, std::size_t capacity) {
  std::size_t length = strnlen(name, capacity);
  if (length == capacity) return std::nullopt;
  return std::string(name, length);
}

// An IPv4 socket address's four bytes.
Ipv4Address AddressOf(const sockaddr& socket_address) {
  Ipv4Address address;
  std::memcpy(address.data(), &reinterpret_cast<const sockaddr_in&>(socket_address).sin_addr,
              address.size());
  return address;
}

class PosixHost final : public Host {
 public:
  // The resolver needs no start-up or clean-up.
  void StartSockets() override {}
  void CleanUpSockets() override {}

  std::optional<std::string> ComputerName(std::size_t capacity) override {
    utsname names{};
    if (uname(&names) != 0) return std::nullopt;
    return NameThatFits(names.nodename, capacity);
  }

  std::optional<std::string> HostName(std::size_t capacity) override {
    std::string buffer(capacity, '\0');
    if (gethostname(buffer.data(), capacity) != 0) return std::nullopt;
    return NameThatFits(buffer.c_str(), capacity);
  }

  std::vector<Ipv4Address> LookUpHost(const std::string& name) override {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* entries = nullptr;
    std::vector<Ipv4Address> addresses;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &entries) != 0) return addresses;
    for (const addrinfo* entry = entries; entry != nullptr; entry = entry->ai_next) {
      addresses.push_back(AddressOf(*entry->ai_addr));
    }
    freeaddrinfo(entries);
    return addresses;
  }

  std::vector<InterfaceAddress> InterfaceAddresses() override {
    std::vector<InterfaceAddress> addresses;
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return addresses;
    for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
      if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
      addresses.push_back({.address = AddressOf(*entry->ifa_addr),
                           .up = (entry->ifa_flags & IFF_UP) != 0,
                           .loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0});
    }
    freeifaddrs(interfaces);
    return addresses;
  }

  std::vector<AdapterId> EnumerateAdapters() override {
    std::vector<AdapterId> adapters;
    struct if_nameindex* interfaces = if_nameindex();
    if (interfaces == nullptr) return adapters;
    for (const struct if_nameindex* entry = interfaces; entry->if_index != 0; ++entry) {
      if (ReadHardwareAddress(entry->if_name)) adapters.push_back(entry->if_index);
    }
    if_freenameindex(interfaces);
    // The kernel's order is the order of the interface indexes, which the list need not keep.
    std::sort(adapters.begin(), adapters.end());
    return adapters;
  }

  // An interface has no adapter state to reset.
  void ResetAdapter(AdapterId) override {}

  std::optional<HardwareAddress> AdapterStatus(AdapterId adapter) override {
    char name[IF_NAMESIZE];
    if (if_indextoname(adapter, name) == nullptr) return std::nullopt;
    return ReadHardwareAddress(name);
  }

  std::optional<std::string> SystemVersionLine() override {
    utsname names{};
    if (uname(&names) != 0) return std::nullopt;
    return std::string(names.sysname) + " [Version " + names.release + "]\n";
  }

  void RunCommand(const std::string& command) override {
    // The interpreter's status is of no interest; the report looks at what the command left.
    [[maybe_unused]] int status = std::system((kInterpreterCommands + command).c_str());
  }

  std::unique_ptr<TextFile> OpenTextFile(const std::string& name) override {
    return OpenStdioTextFile(name, "r");
  }
};

}  // namespace

std::unique_ptr<Host> MakePlatformHost() {
  return std::make_unique<PosixHost>();
}

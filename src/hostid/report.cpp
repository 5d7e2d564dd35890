#include "report.h"

#include <cstddef>
#include <string>

#include "computer_identification.h"
#include "machine_address.h"

namespace {

constexpr std::size_t kHostNameCapacity = 80;

std::string DottedDecimal(const Ipv4Address& address) {
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." +
         std::to_string(address[2]) + "." + std::to_string(address[3]);
}

}  // namespace

void PrintReport(Host& host, std::ostream& out, std::ostream& err) {
  host.StartSockets();
  host.RunCommand("cls");

  // Each step below writes its answer into this one text; a step that finds nothing leaves the
  // previous answer in place, and that is what gets printed.
  std::string text;
  std::string version = "Windows";
  out << "----  KORVIN  V:1 FOR " << version << "  UPDATE=020202  ----\n\n";

  GetComputerIdentification(host, text, version, err);
  out << "Computer Identification : " << text << "\n";

  if (std::optional<std::string> name = host.HostName(kHostNameCapacity)) text = *name;
  out << "Host Name               : " << text << "\n";

  if (std::optional<Ipv4Address> address = MachineAddress(host, text)) {
    text = DottedDecimal(*address);
  }
  // A dotted address resolves without a name server, so a second failure means that no address
  // was found for the host name.
  if (host.LookUpHost(text).empty()) text = "****  No IP Adress  ****";
  out << "IP Adress               : " << text << "\n";

  // The version line keeps its own line feed.
  out << "Operating System        : " << version << "\n\n";

  host.CleanUpSockets();
}

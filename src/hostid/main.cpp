#include <cstring>
#include <iostream>
#include <memory>

#include "host.h"
#include "report.h"

namespace {
constexpr char kUsage[] =
    "Usage: korvin\n"
    "Prints a five-line identification report of this computer: its name with a network\n"
    "adapter's address, the host name, the IP address and the operating system's version.\n"
    "It briefly creates and deletes a file named \"ver\" in the current directory.\n"
    "\n"
    "  korvin --help, -h   this text\n"
    "  korvin --version    the version\n";
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "korvin " << TALVO_VERSION << "\n";
    return 0;
  }
  if (argc > 1) {
    std::cerr << kUsage;
    return 2;
  }
  std::unique_ptr<Host> host = MakePlatformHost();
  PrintReport(*host, std::cout, std::cerr);
  return 0;
}

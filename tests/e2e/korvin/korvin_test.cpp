// The real korvin on this machine, its report checked against what the machine itself says.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "run_program.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFirstLine(const fs::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// The first interface in index order whose Ethernet address does not end in three zero bytes,
// as 12 hex digits; empty when there is none.
std::string FirstAdapterAddress() {
  std::map<int, std::string> ethernet_by_index;
  for (const fs::directory_entry& interface : fs::directory_iterator("/sys/class/net")) {
    if (ReadFirstLine(interface.path() / "type") != "1") continue;  // ARPHRD_ETHER
    ethernet_by_index[std::stoi(ReadFirstLine(interface.path() / "ifindex"))] =
        ReadFirstLine(interface.path() / "address");
  }
  for (const auto& [index, address] : ethernet_by_index) {
    if (address.size() == 17 && address.substr(9) != "00:00:00") {
      std::string digits = address;
      std::erase(digits, ':');
      return digits;
    }
  }
  return "";
}

// The address on the report's IP line, if it is an IPv4 address; the unit tests pin which one
// korvin chooses.
std::string ReportedAddress(const std::string& report) {
  const std::string label = "IP Adress               : ";
  const auto at = report.find(label);
  if (at == std::string::npos) return "";
  const std::string address =
      report.substr(at + label.size(), report.find('\n', at) - at - label.size());
  in_addr parsed{};
  return inet_pton(AF_INET, address.c_str(), &parsed) == 1 ? address : "";
}

std::string OperatingSystemLine() {
  std::string pretty_name;
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    std::ifstream file(path);
    if (!file) continue;
    for (std::string line; std::getline(file, line);) {
      if (!line.starts_with("PRETTY_NAME=")) continue;
      pretty_name = line.substr(12);
      if (pretty_name.size() >= 2 && (pretty_name.front() == '"' || pretty_name.front() == '\'')) {
        pretty_name = pretty_name.substr(1, pretty_name.size() - 2);
      }
    }
    break;
  }
  utsname names{};
  uname(&names);
  if (pretty_name.empty()) pretty_name = names.sysname;
  return pretty_name + " [Version " + names.release + "]";
}

TEST(Korvin, ReportsThisMachineAndRemovesVer) {
  TempDir scratch("korvin-e2e-");
  const fs::path run_dir = scratch.Path() / "run";
  fs::create_directory(run_dir);
  std::ofstream(run_dir / "ver") << "a version file left by somebody else\n";

  ProgramResult result = RunProgram({KORVIN_PATH}, run_dir, {}, scratch.Path());

  utsname names{};
  ASSERT_EQ(uname(&names), 0);
  char host_name[256] = {};
  ASSERT_EQ(gethostname(host_name, sizeof host_name - 1), 0);
  std::string identification = names.nodename;
  if (std::string address = FirstAdapterAddress(); !address.empty()) {
    identification += " " + address;
  }
  EXPECT_EQ(result.out,
            "----  KORVIN  V:1 FOR Windows  UPDATE=020202  ----\n\n"
            "Computer Identification : " +
                identification +
                "\n"
                "Host Name               : " +
                std::string(host_name) +
                "\n"
                "IP Adress               : " +
                ReportedAddress(result.out) +
                "\n"
                "Operating System        : " +
                OperatingSystemLine() + "\n\n\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_FALSE(fs::exists(run_dir / "ver"));
}

TEST(Korvin, InADirectoryItCannotWriteNamesTheSystemWithoutTheShellsComplaint) {
  TempDir scratch("korvin-e2e-");
  const fs::path run_dir = scratch.Path() / "run";
  fs::create_directory(run_dir);
  fs::permissions(scratch.Path(), static_cast<fs::perms>(0711));
  fs::permissions(run_dir, static_cast<fs::perms>(0555));
  std::vector<std::string> argv = {KORVIN_PATH};
  // Root writes anywhere: korvin runs as nobody then.
  if (geteuid() == 0) {
    argv.insert(argv.begin(),
                {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
  }

  ProgramResult result = RunProgram(argv, run_dir, {}, scratch.Path());

  utsname names{};
  ASSERT_EQ(uname(&names), 0);
  EXPECT_EQ(result.err + result.out.substr(result.out.find("Operating System")),
            "****  Cannot open ver file  ****\n\rOperating System        : " +
                std::string(names.sysname) + " [Version " + names.release + "]\n\n\n");
}

}  // namespace

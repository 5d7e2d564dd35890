#include "report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "fake_host.h"

namespace {

constexpr Ipv4Address kAddress = {192, 0, 2, 7};

// A machine with one network card, a working name service and the usual two-line "ver".
FakeHost TypicalHost() {
  FakeHost host;
  host.adapters = {{0, HardwareAddress{0x00, 0x0A, 0x95, 0x9D, 0x68, 0x16}}};
  host.name_service = {{"host1.example", {kAddress}}, {"192.0.2.7", {kAddress}}};
  return host;
}

TEST(Report, LaysOutTheFiveLines) {
  FakeHost host = TypicalHost();
  std::ostringstream out;
  std::ostringstream err;

  PrintReport(host, out, err);

  EXPECT_EQ(out.str(),
            "----  KORVIN  V:1 FOR Windows  UPDATE=020202  ----\n"
            "\n"
            "Computer Identification : HOST1 000a959d6816\n"
            "Host Name               : host1.example\n"
            "IP Adress               : 192.0.2.7\n"
            "Operating System        : FakeOS 1.0\n"  // the version line keeps its line feed
            "\n"
            "\n");
  EXPECT_EQ(err.str(), "");
}

// Each case changes the typical host; the lines a case leaves out read as for the typical host.
struct ReportCase {
  const char* name;
  std::function<void(FakeHost&)> change;
  std::string identification = "HOST1 000a959d6816";
  std::string host_name = "host1.example";
  std::string ip = "192.0.2.7";
  std::string version = "FakeOS 1.0\n";  // as it stands in the version buffer
  std::string err = "";
};

void PrintTo(const ReportCase& c, std::ostream* os) {
  *os << c.name;
}

class MachineAnswers : public testing::TestWithParam<ReportCase> {};

TEST_P(MachineAnswers, ShowInTheReport) {
  const ReportCase& c = GetParam();
  FakeHost host = TypicalHost();
  c.change(host);
  std::ostringstream out;
  std::ostringstream err;

  PrintReport(host, out, err);

  EXPECT_EQ(out.str(), std::string("----  KORVIN  V:1 FOR Windows  UPDATE=020202  ----\n\n") +
                           "Computer Identification : " + c.identification + "\n" +
                           "Host Name               : " + c.host_name + "\n" +
                           "IP Adress               : " + c.ip + "\n" +
                           "Operating System        : " + c.version + "\n\n");
  EXPECT_EQ(err.str(), c.err);
}

constexpr char kNoIp[] = "****  No IP Adress  ****";

INSTANTIATE_TEST_SUITE_P(
    Cases, MachineAnswers,
    testing::Values(
        ReportCase{.name = "NoAdapterAddress",
                   .change = [](FakeHost& h) { h.adapters.clear(); },
                   .identification = "HOST1"},
        ReportCase{.name = "FailingComputerName",
                   .change = [](FakeHost& h) { h.computer_name.reset(); },
                   .identification = " 000a959d6816"},
        ReportCase{.name = "FailingHostNameRepeatsTheIdentification",
                   .change = [](FakeHost& h) { h.host_name.reset(); },
                   .host_name = "HOST1 000a959d6816",
                   .ip = kNoIp},
        ReportCase{.name = "NoNameService",
                   .change = [](FakeHost& h) { h.name_service.clear(); },
                   .ip = kNoIp},
        ReportCase{.name = "LoopbackOnlyNameGivesTheFirstUpInterface",
                   .change =
                       [](FakeHost& h) {
                         h.name_service = {{"host1.example", {{127, 0, 1, 1}, {127, 0, 0, 1}}},
                                           {"198.51.100.4", {{198, 51, 100, 4}}}};
                         h.interfaces = {{.address = {127, 0, 0, 1}, .loopback = true},
                                         {.address = {203, 0, 113, 9}, .up = false},
                                         {.address = {198, 51, 100, 4}},
                                         {.address = {198, 51, 100, 5}}};
                       },
                   .ip = "198.51.100.4"},
        ReportCase{.name = "AddressThatDoesNotResolveBack",
                   .change = [](FakeHost& h) { h.name_service.erase("192.0.2.7"); },
                   .ip = kNoIp},
        ReportCase{.name = "OneLineVer",
                   .change = [](FakeHost& h) { h.ver_file = "FakeOS 2.0\n"; },
                   .version = "FakeOS 2.0\n"},
        ReportCase{.name = "EmptyVer",
                   .change = [](FakeHost& h) { h.ver_file = ""; },
                   .version = "Windows"},
        ReportCase{.name = "OverlongVersionLineIsCut",
                   .change = [](FakeHost& h) { h.ver_file = "\n" + std::string(250, 'v') + "\n"; },
                   .version = std::string(199, 'v')},
        ReportCase{.name = "VerCannotBeOpened",
                   .change = [](FakeHost& h) { h.ver_file.reset(); },
                   .version = "Windows",
                   .err = "****  Cannot open ver file  ****\n\r"}),
    [](const testing::TestParamInfo<ReportCase>& info) { return info.param.name; });

// The order matters to the machine: the console is cleared first, "ver" is read only after the
// interpreter wrote it and closed before it is deleted, and the sockets interface lives from
// before the first look-up to after the last.
TEST(Report, UsesThePlatformInOrder) {
  FakeHost host = TypicalHost();
  std::ostringstream out;
  std::ostringstream err;

  PrintReport(host, out, err);

  EXPECT_EQ(host.calls,
            (std::vector<std::string>{
                "start sockets", "run cls", "computer name 50", "run ver > ver", "open ver",
                "read 199", "read 199", "close", "run del ver", "enumerate", "reset 0", "status 0",
                "host name 80", "look up host1.example", "look up 192.0.2.7", "clean up sockets"}));
}

TEST(Report, DeletesVerEvenWhenItCannotBeOpened) {
  FakeHost host = TypicalHost();
  host.ver_file.reset();
  std::ostringstream out;
  std::ostringstream err;

  PrintReport(host, out, err);

  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "run del ver"), 1);
  EXPECT_EQ(std::count_if(host.calls.begin(), host.calls.end(),
                          [](const std::string& call) { return call.starts_with("read"); }),
            0);
}

}  // namespace

#include "adapter_address.h"

#include <gtest/gtest.h>

#include "fake_host.h"

namespace {

constexpr HardwareAddress kCard = {0x00, 0x0A, 0x95, 0x9D, 0x68, 0x16};
constexpr HardwareAddress kOtherCard = {0x02, 0x60, 0x8C, 0x12, 0x34, 0x56};
constexpr HardwareAddress kPlaceholder = {0x44, 0x45, 0x53, 0x00, 0x00, 0x00};

struct SearchCase {
  const char* name;
  std::vector<FakeAdapter> adapters;
  std::string address;
  std::vector<std::string> calls;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
  *os << c.name;
}

class AdapterSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(AdapterSearch, FindsTheFirstUsableAddress) {
  const SearchCase& c = GetParam();
  FakeHost host;
  host.adapters = c.adapters;
  std::string address = "left over";

  bool found = GetAdapterAddress(host, address);

  EXPECT_EQ(address, c.address);
  EXPECT_EQ(found, !c.address.empty());
  EXPECT_EQ(host.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdapterSearch,
    testing::Values(
        SearchCase{.name = "FirstAdapterAnswers",
                   .adapters = {{.id = 0, .status = kCard}, {.id = 1, .status = kOtherCard}},
                   .address = "000a959d6816",
                   .calls = {"enumerate", "reset 0", "status 0"}},
        SearchCase{.name = "TrailingZerosAreSkipped",
                   .adapters = {{.id = 3, .status = kPlaceholder}, {.id = 5, .status = kOtherCard}},
                   .address = "02608c123456",
                   .calls = {"enumerate", "reset 3", "status 3", "reset 5", "status 5"}},
        SearchCase{.name = "ZerosOnlyAtTheFrontCount",
                   .adapters = {{.id = 0, .status = HardwareAddress{0, 0, 0, 0, 0, 1}}},
                   .address = "000000000001",
                   .calls = {"enumerate", "reset 0", "status 0"}},
        SearchCase{
            .name = "LastAdapterSkippedLeavesNothing",
            .adapters = {{.id = 0, .status = kPlaceholder}, {.id = 1, .status = kPlaceholder}},
            .address = "",
            .calls = {"enumerate", "reset 0", "status 0", "reset 1", "status 1"}},
        SearchCase{.name = "FailingStatusStopsTheSearch",
                   .adapters = {{.id = 0, .status = kPlaceholder},
                                {.id = 1, .status = std::nullopt},
                                {.id = 2, .status = kCard}},
                   .address = "",
                   .calls = {"enumerate", "reset 0", "status 0", "reset 1", "status 1"}},
        SearchCase{.name = "NoAdapters", .adapters = {}, .address = "", .calls = {"enumerate"}}),
    [](const testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

}  // namespace

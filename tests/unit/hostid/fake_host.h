#pragma once
// A scripted machine for the report logic: answers come from its public fields, and every call
// is written to `calls` so that tests can check the order of the platform operations.

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host.h"

struct FakeAdapter {
  AdapterId id;
  std::optional<HardwareAddress> status;  // nullopt: the status query fails
};

class FakeHost final : public Host {
 public:
  std::optional<std::string> computer_name = "HOST1";
  std::optional<std::string> host_name = "host1.example";
  // Names and dotted addresses that resolve.
  std::map<std::string, std::vector<Ipv4Address>> name_service;
  std::vector<InterfaceAddress> interfaces;
  std::vector<FakeAdapter> adapters;
  std::optional<std::string> ver_file = "\nFakeOS 1.0\n";  // nullopt: "ver" cannot be opened
  std::optional<std::string> system_version;               // like Windows: none of its own
  std::vector<std::string> calls;

  void StartSockets() override { calls.push_back("start sockets"); }
  void CleanUpSockets() override { calls.push_back("clean up sockets"); }

  std::optional<std::string> ComputerName(std::size_t capacity) override {
    calls.push_back("computer name " + std::to_string(capacity));
    return computer_name;
  }

  std::optional<std::string> HostName(std::size_t capacity) override {
    calls.push_back("host name " + std::to_string(capacity));
    return host_name;
  }

  std::vector<Ipv4Address> LookUpHost(const std::string& name) override {
    calls.push_back("look up " + name);
    auto entry = name_service.find(name);
    if (entry == name_service.end()) return {};
    return entry->second;
  }

  std::vector<InterfaceAddress> InterfaceAddresses() override {
    calls.push_back("interfaces");
    return interfaces;
  }

  std::optional<std::string> SystemVersionLine() override { return system_version; }

  std::vector<AdapterId> EnumerateAdapters() override {
    calls.push_back("enumerate");
    std::vector<AdapterId> ids;
    for (const FakeAdapter& adapter : adapters) ids.push_back(adapter.id);
    return ids;
  }

  void ResetAdapter(AdapterId adapter) override {
    calls.push_back("reset " + std::to_string(adapter));
  }

  std::optional<HardwareAddress> AdapterStatus(AdapterId adapter) override {
    calls.push_back("status " + std::to_string(adapter));
    for (const FakeAdapter& candidate : adapters) {
      if (candidate.id == adapter) return candidate.status;
    }
    return std::nullopt;
  }

  void RunCommand(const std::string& command) override { calls.push_back("run " + command); }

  std::unique_ptr<TextFile> OpenTextFile(const std::string& name) override {
    calls.push_back("open " + name);
    if (!ver_file) return nullptr;
    return std::make_unique<File>(*ver_file, calls);
  }

 private:
  class File final : public TextFile {
   public:
    File(const std::string& content, std::vector<std::string>& calls)
        : content_(content), calls_(calls) {}
    ~File() override { calls_.push_back("close"); }

    std::optional<std::string> ReadLine(std::size_t max_chars) override {
      calls_.push_back("read " + std::to_string(max_chars));
      if (position_ == content_.size()) return std::nullopt;
      std::size_t end = content_.find('\n', position_);
      end = end == std::string::npos ? content_.size() : end + 1;
      end = std::min(end, position_ + max_chars);
      std::string line = content_.substr(position_, end - position_);
      position_ = end;
      return line;
    }

   private:
    std::string content_;
    std::size_t position_ = 0;
    std::vector<std::string>& calls_;
  };
};

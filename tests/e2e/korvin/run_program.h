#pragma once
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct ProgramResult {
  int exit_code = -1;  // -1 when the program did not exit normally or outlived the time-out
  std::string out;
  std::string err;
};

// Runs `argv` in `directory` with `environment` set on top of this process's own, and waits for
// it (killing it after `timeout`). Its standard output and error are collected through files in
// `scratch`, not in `directory`.
ProgramResult RunProgram(const std::vector<std::string>& argv,
                         const std::filesystem::path& directory,
                         const std::map<std::string, std::string>& environment,
                         const std::filesystem::path& scratch,
                         std::chrono::seconds timeout = std::chrono::seconds(240));

#pragma once
#include <filesystem>
#include <string>
#include <vector>

struct ProgramResult {
  int exit_code = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs `argv` in `directory` with `environment` added to this process's own, and waits for it.
// Its standard output and error are collected through files in `scratch`, not in `directory`.
ProgramResult RunProgram(const std::vector<std::string>& argv,
                         const std::filesystem::path& directory,
                         const std::vector<std::string>& environment,
                         const std::filesystem::path& scratch);

#include "run_program.h"

#include <fstream>
#include <sstream>

#include "child_process.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv,
                         const std::filesystem::path& directory,
                         const std::map<std::string, std::string>& environment,
                         const std::filesystem::path& scratch, std::chrono::seconds timeout) {
  ChildProcess program(argv, ChildOptions{.dir = directory,
                                          .env = environment,
                                          .stdout_file = scratch / "stdout",
                                          .stderr_file = scratch / "stderr"});
  ProgramResult result;
  if (const auto end = program.Wait(timeout)) result.exit_code = end->exit_code;
  program.Kill();
  result.out = ReadFile(scratch / "stdout");
  result.err = ReadFile(scratch / "stderr");
  return result;
}

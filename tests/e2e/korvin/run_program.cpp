#include "run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

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
                         const std::vector<std::string>& environment,
                         const std::filesystem::path& scratch) {
  // Everything the child needs is prepared before fork: after it only async-signal-safe calls.
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (char** entry = environ; *entry != nullptr; ++entry) env.push_back(*entry);
  for (const std::string& entry : environment) env.push_back(const_cast<char*>(entry.c_str()));
  env.push_back(nullptr);
  const std::string out_path = scratch / "stdout";
  const std::string err_path = scratch / "stderr";
  const std::string dir = directory;

  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int null = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || null < 0 || chdir(dir.c_str()) != 0) _exit(126);
    dup2(null, 0);
    dup2(out, 1);
    dup2(err, 2);
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ProgramResult result;
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  result.out = ReadFile(out_path);
  result.err = ReadFile(err_path);
  return result;
}

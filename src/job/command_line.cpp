#include "job/command_line.h"

#include "job/number_rule.h"

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) {
    if (!joined.empty()) joined += ' ';
    joined += arg;
  }
  return joined;
}

std::string Position(const std::string& command_line, std::size_t pos) {
  return pos <= command_line.size() ? command_line.substr(pos - 1, 1) : std::string();
}

void ParseCommandLine(const std::string& command_line, JobValues& v) {
  v.EchoFlag = DigitValue(Position(command_line, 1));
  v.ModemType = DigitValue(Position(command_line, 2));
  v.StopCode = v.ModemType == 1 ? "Z" : "b";
  v.SourceCode = Position(command_line, 3);
  v.JobId = Position(command_line, 6);
}

std::string DialModifierOf(const std::string& command_line) {
  const std::string modifier = Position(command_line, 4);
  return modifier == "N" ? std::string() : modifier;
}

bool IsRecordingJob(const std::string& command_line) {
  return command_line.size() == 6;
}

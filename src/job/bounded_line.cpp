#include "job/bounded_line.h"

#include <limits>

#include "platform/file_read.h"

std::istringstream OpenSmallTextFile(const std::filesystem::path& file) {
  return std::istringstream(ReadFileHead(file, kFileBytesRead).value_or(""),
                            std::ios::in | std::ios::binary);
}

std::optional<std::string> ReadBoundedLine(std::istream& in) {
  std::string line;
  bool ended = false;  // the line's end (LF or end of input) was read
  // One byte more than is kept: room for a CR that may end the line.
  char c = 0;
  while (!ended && line.size() <= kLineBytesKept) {
    if (!in.get(c)) {
      if (line.empty()) return std::nullopt;
      ended = true;
    } else if (c == '\n') {
      ended = true;
    } else {
      line += c;
    }
  }
  if (ended && !line.empty() && line.back() == '\r') line.pop_back();
  if (!ended) in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  if (line.size() > kLineBytesKept) line.resize(kLineBytesKept);
  return line;
}

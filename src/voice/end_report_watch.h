#pragma once
// During voice reception the modem ends a message by reporting DLE "s" or DLE "q" as the
// last bytes it sends. A data byte 16 comes shielded as DLE DLE, so whether a DLE opens a
// report depends on every DLE before it: the watch follows the pairing across all reads.
#include <string_view>

class EndReportWatch {
 public:
  // Takes the next bytes of the stream; true when the stream so far ends with an end report.
  bool Feed(std::string_view bytes);

 private:
  bool open_dle_ = false;  // the stream ends with a DLE whose partner has not arrived yet
};

#pragma once
// The modem frames everything that is not voice data with DLE (16): DLE + a character reports
// an event (a key, the end of a message), DLE ETX ends a voice transmission or reception, and a
// data byte 16 travels shielded as DLE DLE. Whether a DLE opens a pair therefore depends on
// every DLE before it, also across reads: one decoder follows the pairing byte by byte and
// remembers a DLE whose partner has not come yet.
#include <cstddef>
#include <optional>
#include <string_view>

inline constexpr char kDle = 16;
inline constexpr char kEtx = 3;
// Ends a voice transmission or reception.
inline constexpr std::string_view kDleEtx = "\x10\x03";

// What a byte of the stream completes.
struct DleItem {
  enum class Kind {
    kData,       // a data byte (a shielded 16 included)
    kKey,        // DLE + a character other than the end reports: keys and other modem events
    kEndReport,  // DLE "s" or DLE "q": the modem ended a voice message
  };
  Kind kind;
  char byte;  // the data byte or the event character
};

class DleDecoder {
 public:
  // Takes the next byte; nothing comes out for a DLE that opens a pair.
  std::optional<DleItem> Feed(char byte);
  // The stream so far ends with a DLE whose partner has not come yet.
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

// The 0-based index of the DLE of the first unshielded DLE + `code` in `data`.
std::optional<std::size_t> FindDleSequence(std::string_view data, char code);

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
    kEvent,      // DLE + any other character: keys and the modem's other events
    kEndReport,  // DLE "s" or DLE "q": the modem ended a voice message
    kEndOfData,  // DLE ETX
  };
  Kind kind;
  char byte;  // the data byte or the event character
};

// An event the modem reports among its replies as DLE + a character: a ring ("R"), busy
// ("b"), dial tone ("d"), a key...
struct DleEvent {
  char code;

  bool operator==(const DleEvent&) const = default;
};

// What an event says to a key entry. The modem reports a key as DLE + the key's character;
// the other events arrive the same way and are no key.
struct KeyReport {
  enum class Kind {
    kDigit,  // "0" to "9"
    kStar,
    kHash,
    kEndOfData,
    kOther,  // the end reports and the modem's other events
  };
  Kind kind;
  char key;  // the event character

  // The key as the one-character text it adds to an entry.
  std::string_view Text() const { return {&key, 1}; }
};

// Nothing for a data byte.
std::optional<KeyReport> AsKeyReport(const DleItem& item);

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

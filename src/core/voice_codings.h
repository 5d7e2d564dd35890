#pragma once
// The voice codings: the raw sample formats voice modems record and play, by the names talvo
// and the voice-file converter share. One table says what each one is: its bits a sample, the
// one rate it exists at, and the names modems list it by in their answer to "AT+VSM=?".
//
// Modems spell those names their own way ("ULAW", "Mu-Law", "µ-law", "ITU-T G.711 U-LAW",
// "8-BIT ULAW"), so a listed name is compared in a normal form: upper-case letters and digits
// only, "µ" (Latin-1 or UTF-8) and a "MU" before "LAW" as "U", a leading "ITU-T" and "G.711"
// dropped. The names never tell all: "SIGNED PCM" is s8 or s16 by its bits, so a listed method is
// a coding when its name is one of the coding's and its bits are the coding's.
#include <array>
#include <string>
#include <string_view>

struct Coding {
  std::string_view name;
  int bits;       // per sample
  int only_rate;  // the one rate, in Hz, that the coding exists at; 0 for any
  // The names modems list it by, in the normal form; none for a coding no modem lists.
  std::array<std::string_view, 3> listed_names;
};

// The `#` command set's modems record and play Rockwell ADPCM at this rate only.
inline constexpr int kRockwellRate = 7200;

inline constexpr std::array kCodings{
    Coding{"u8", 8, 0, {"UNSIGNEDPCM", "8BITLINEAR"}},
    Coding{"s8", 8, 0, {"SIGNEDPCM"}},
    Coding{"s16", 16, 0, {"SIGNEDPCM", "16BITLINEAR", "LINEAR16"}},
    Coding{"ulaw", 8, 0, {"ULAW", "8BITULAW"}},
    Coding{"alaw", 8, 0, {"ALAW", "8BITALAW"}},
    // A bare "ADPCM" says neither which ADPCM nor whose, so it is none of these.
    Coding{"ima", 4, 0, {"IMAADPCM"}},
    Coding{"rockwell2", 2, kRockwellRate, {"2BITADPCM"}},
    Coding{"rockwell3", 3, kRockwellRate, {}},
    Coding{"rockwell4", 4, kRockwellRate, {"4BITADPCM"}},
    // OKI ADPCM of telephony boards, which no voice modem uses.
    Coding{"vox", 4, 0, {}},
};

// The coding called `name`, or nullptr.
const Coding* FindCoding(std::string_view name);

// Whether modems list `coding` by some name.
bool ModemsList(const Coding& coding);

// Whether `listed`, a name in a modem's listing, is one of `coding`'s names; the bits aside.
bool IsListedName(const Coding& coding, std::string_view listed);

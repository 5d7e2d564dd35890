#pragma once
// Searches voice data for a DLE sequence. The modem shields a data byte 16 as DLE DLE, so a
// DLE DLE pair is one data byte and never the start of a sequence.
#include <cstddef>
#include <optional>
#include <string_view>

inline constexpr char kDle = 16;
inline constexpr char kEtx = 3;
// Ends a voice transmission or reception.
inline constexpr std::string_view kDleEtx = "\x10\x03";

// The 0-based index of the DLE of the first unshielded DLE + `code` in `data`.
std::optional<std::size_t> FindDleSequence(std::string_view data, char code);

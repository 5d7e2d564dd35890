#pragma once
// A recording ends at its end mark: the "*" key the caller pressed (DLE "*") or, when there is
// none, the modem's first end report, DLE "s" before DLE "q". The marks are searched in that
// order over the whole recording, so a "*" wins wherever it stands. Shielded DLE DLE pairs are
// data and never start a mark.
#include <cstddef>
#include <string_view>

// The length of `data` once cut before its end mark and stripped of every DLE at its end, so
// that no DLE left open by a full buffer can swallow the DLE ETX stored after the recording.
std::size_t CutRecording(std::string_view data);

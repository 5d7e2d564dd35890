#pragma once
// The modem reports a key, and any other event, as DLE followed by one event character.
// Nothing guarantees that both bytes of a report arrive in the same read, and a report may be
// split between a play and the key wait that follows it: the job's one DLE decoder keeps a DLE
// that ends one read for the next. Bytes outside a report (stray replies, line noise) are
// dropped.
#include <optional>

#include "core/dle.h"
#include "modem/command_engine.h"

// Reads the bytes waiting until a report is whole and returns it, or
// returns nothing once no byte is left. It never reads past a report, so the
// replies that follow stay for the reply reader.
std::optional<KeyReport> ReadKeyReport(CommandEngine& engine, DleDecoder& dle);

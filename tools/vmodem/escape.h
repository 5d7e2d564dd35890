#pragma once
// Bytes shown as text, for logs and for scenario literals: printable ASCII stands as it is and
// every other byte becomes an escape (\r \n \t \\ \" or \xHH with exactly two hex digits), so
// each byte reads back unambiguously.
#include <string>
#include <string_view>

namespace vmodem {

std::string EscapeBytes(std::string_view bytes);

// `bytes` as a double-quoted scenario literal, e.g. for a test that streams a recording.
std::string QuoteBytes(std::string_view bytes);

}  // namespace vmodem

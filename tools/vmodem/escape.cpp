#include "vmodem/escape.h"

namespace vmodem {

std::string EscapeBytes(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      default:
        if (b >= 32 && b < 127) {
          out += c;
        } else {
          out += "\\x";
          out += kHex[b >> 4];
          out += kHex[b & 15];
        }
    }
  }
  return out;
}

std::string QuoteBytes(std::string_view bytes) {
  return '"' + EscapeBytes(bytes) + '"';
}

}  // namespace vmodem

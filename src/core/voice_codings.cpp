#include "core/voice_codings.h"

#include <algorithm>

namespace {

constexpr unsigned char kMicro = 0xB5;  // "µ" in Latin-1, and the last byte of it in UTF-8

std::string Normalised(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b == kMicro) out += 'U';
    if (b >= 'a' && b <= 'z') out += static_cast<char>(b - 'a' + 'A');
    if ((b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')) out += c;
  }
  // The standards' names around the law: "ITU-T G.711 U-LAW" is "U-LAW".
  for (const std::string_view body : {"ITUT", "G711"}) {
    if (out.starts_with(body)) out.erase(0, body.size());
  }
  if (const std::size_t mu = out.find("MULAW"); mu != std::string::npos) out.erase(mu, 1);
  return out;
}

}  // namespace

const Coding* FindCoding(std::string_view name) {
  const auto found = std::ranges::find(kCodings, name, &Coding::name);
  return found == kCodings.end() ? nullptr : &*found;
}

bool ModemsList(const Coding& coding) {
  return !coding.listed_names.front().empty();
}

bool IsListedName(const Coding& coding, std::string_view listed) {
  const std::string name = Normalised(listed);
  return !name.empty() && std::ranges::find(coding.listed_names, name) != coding.listed_names.end();
}

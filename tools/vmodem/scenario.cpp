#include "vmodem/scenario.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vmodem {
namespace {

// A cursor over one statement; every complaint carries the statement's line number.
class LineReader {
 public:
  LineReader(std::string_view text, int line_no) : text_(text), line_no_(line_no) {}

  [[noreturn]] void Fail(const std::string& message) const {
    throw std::runtime_error("line " + std::to_string(line_no_) + ": " + message);
  }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() {
    SkipSpace();
    return pos_ == text_.size();
  }
  bool Next(char c) {
    SkipSpace();
    return pos_ < text_.size() && text_[pos_] == c;
  }
  void Expect(char c, std::string_view what) {
    if (!Next(c)) Fail("expected " + std::string(what));
    ++pos_;
  }

  // A run of characters up to a blank, a quote or a colon.
  std::string Word() {
    SkipSpace();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\t' && text_[pos_] != '"' &&
           text_[pos_] != ':') {
      ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  std::string Quoted() {
    Expect('"', "a double-quoted text");
    std::string out;
    for (;;) {
      if (pos_ == text_.size()) Fail("unterminated quoted text");
      const char c = text_[pos_++];
      if (c == '"') return out;
      out += c == '\\' ? Escape() : c;
    }
  }

  std::int64_t Number(std::string_view what) {
    const std::string word = Word();
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || value < 0) {
      Fail(std::string(what) + " needs a whole number, not '" + word + "'");
    }
    return value;
  }

 private:
  char Escape() {
    if (pos_ == text_.size()) Fail("unterminated quoted text");
    switch (const char c = text_[pos_++]) {
      case 'r':
        return '\r';
      case 'n':
        return '\n';
      case 't':
        return '\t';
      case '\\':
      case '"':
        return c;
      case 'x': {
        unsigned value = 0;
        const char* first = text_.data() + pos_;
        const char* last = first + std::min<std::size_t>(2, text_.size() - pos_);
        const auto [end, error] = std::from_chars(first, last, value, 16);
        if (error != std::errc() || end != first + 2) Fail("\\x needs two hex digits");
        pos_ += 2;
        return static_cast<char>(value);
      }
      default:
        Fail(std::string("unknown escape \\") + c);
    }
  }

  std::string_view text_;
  int line_no_;
  std::size_t pos_ = 0;
};

std::string ReadVoiceFile(const LineReader& in, const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) in.Fail("cannot read voice file " + path.string());
  try {
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    // A directory opens, but reading it fails.
    in.Fail("cannot read voice file " + path.string());
  }
}

Action ReadAction(LineReader& in, const std::filesystem::path& base_dir) {
  using Kind = Action::Kind;
  if (in.Next('"')) return {Kind::kReply, in.Quoted()};
  const std::string word = in.Word();
  if (word == "bytes") return {Kind::kBytes, in.Quoted()};
  if (word == "key") {
    std::string key = in.Next('"') ? in.Quoted() : in.Word();
    if (key.size() != 1) in.Fail("key needs exactly one character");
    return {Kind::kKey, key};
  }
  if (word == "wait") return {Kind::kWait, "", 0, std::chrono::milliseconds(in.Number("wait"))};
  if (word == "voice-tx") return {Kind::kVoiceTx, ""};
  if (word == "voice-rx") {
    if (in.Next('"')) return {Kind::kVoiceRx, in.Quoted()};
    const std::string file = in.Word();
    if (file.empty()) in.Fail("voice-rx needs a file name or a quoted text");
    return {Kind::kVoiceRx, ReadVoiceFile(in, base_dir / file)};
  }
  if (word == "until-bytes") return {Kind::kUntilBytes, "", in.Number("until-bytes")};
  if (word == "until-end") return {Kind::kUntilEnd, ""};
  if (word == "flood") return {Kind::kFlood, "", in.Number("flood")};
  if (word == "vanish") return {Kind::kVanish, ""};
  if (word == "hangup") return {Kind::kHangUp, ""};
  if (word == "lock-up") return {Kind::kLockUp, ""};
  in.Fail("unknown action '" + word + "'");
}

Rule ReadRule(LineReader& in, const std::filesystem::path& base_dir) {
  Rule rule;
  rule.pattern = in.Quoted();
  if (in.Next('#')) {
    in.Expect('#', "#N");
    rule.occurrence = static_cast<int>(in.Number("#"));
    if (rule.occurrence < 1) in.Fail("# counts from 1");
  }
  in.Expect(':', "':' after the pattern");
  bool silent = false;
  while (!in.AtEnd()) {
    if (!in.Next('"')) {
      LineReader probe = in;
      if (probe.Word() == "silent") {
        in = probe;
        silent = true;
        continue;
      }
    }
    rule.actions.push_back(ReadAction(in, base_dir));
  }
  if (silent && !rule.actions.empty()) in.Fail("'silent' takes no other actions");
  return rule;
}

void ReadStatement(LineReader& in, const std::filesystem::path& base_dir, Scenario& scenario) {
  const std::string word = in.Word();
  if (word == "on") {
    scenario.rules.push_back(ReadRule(in, base_dir));
  } else if (word == "echo") {
    const std::string value = in.Word();
    if (value != "on" && value != "off") in.Fail("echo is 'on' or 'off'");
    scenario.echo = value == "on";
  } else if (word == "baud") {
    const std::int64_t baud = in.Number("baud");
    if (baud < 1 || baud > 10'000'000) in.Fail("baud must lie between 1 and 10000000");
    scenario.baud = static_cast<int>(baud);
  } else if (word == "command-set") {
    const std::string value = in.Word();
    if (value != "hash" && value != "v253") in.Fail("command-set is 'hash' or 'v253'");
    scenario.v253 = value == "v253";
  } else {
    in.Fail("unknown statement '" + word + "'");
  }
  if (!in.AtEnd()) in.Fail("unexpected text after the statement");
}

}  // namespace

Scenario ParseScenario(std::string_view text, const std::filesystem::path& base_dir) {
  Scenario scenario;
  int line_no = 0;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    LineReader in(line, line_no);
    if (in.AtEnd() || in.Next('#')) continue;
    ReadStatement(in, base_dir, scenario);
  }
  return scenario;
}

bool MatchesPattern(std::string_view pattern, std::string_view text) {
  // Greedy glob with one backtrack point: the last `*` seen absorbs one more character each
  // time the rest fails to match.
  std::size_t p = 0, t = 0;
  std::size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++p;
      ++t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace vmodem

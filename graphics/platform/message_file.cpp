#include "platform/message_file.h"

#include <cctype>
#include <charconv>
#include <string_view>

namespace zr590::platform {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// Splits off the next space-separated word.
std::string_view next_word(std::string_view& rest) {
  rest = trim(rest);
  std::size_t end = rest.find_first_of(" \t");
  std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  return word;
}

// A word of the file as an error message shows it: on one short line, whatever the file held.
std::string quoted(std::string_view word) {
  constexpr std::size_t kShown = 40;
  std::string shown = "'";
  for (char c : word.substr(0, kShown)) {
    shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  }
  return shown + (word.size() > kShown ? "'..." : "'");
}

bool parse_int(std::string_view word, long low, long high, long& value) {
  if (word.empty()) return false;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc{} && end == word.data() + word.size() && value >= low && value <= high;
}

class Parser {
 public:
  explicit Parser(ScriptedInput& out) : out_(out) {}

  // Returns an empty string or what is wrong with the line.
  std::string line(std::string_view raw) {
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    std::string_view text = trim(raw);
    if (text.empty() || text.front() == '#') return {};
    std::string_view rest = text;
    std::string_view verb = next_word(rest);
    if (verb == "reply") {
      // The answer is the rest of the line after one space, as typed.
      std::string_view after = trim_left_verb(raw);
      if (!after.empty()) after.remove_prefix(1);
      // No dialog takes more; cut silently, it would name another file than the one written.
      if (after.size() > kReplyLength) {
        return "reply longer than " + std::to_string(kReplyLength) + " bytes";
      }
      out_.replies.emplace_back(after);
      return {};
    }
    if (verb == "click") {
      long x, y;
      if (!parse_int(next_word(rest), 0, 65535, x) || !parse_int(next_word(rest), 0, 65535, y)) {
        return "click needs two client pixel coordinates from 0 to 65535";
      }
      return send(MessageKind::LButtonDown, x, y, rest);
    }
    if (verb == "char") {
      std::string_view c = trim(rest);
      long code;
      if (c.size() == 1 && std::isgraph(static_cast<unsigned char>(c[0]))) {
        code = static_cast<unsigned char>(c[0]);
      } else if (c.size() > 1 && c[0] == '#' && parse_int(c.substr(1), 0, 255, code)) {
      } else {
        return "char needs one visible character or #N with N from 0 to 255";
      }
      out_.entries.push_back(
          {ScriptedInput::Send, {Window::Graphics, MessageKind::Char, static_cast<int>(code), 0}});
      return {};
    }
    if (verb == "keydown" || verb == "keyup") {
      long vk;
      if (!parse_int(next_word(rest), 0, 255, vk))
        return std::string(verb) + " needs a virtual-key code from 0 to 255";
      return send(verb == "keydown" ? MessageKind::KeyDown : MessageKind::KeyUp, vk, 0, rest);
    }
    if (verb == "ctrl") {
      std::string_view letter = next_word(rest);
      if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) {
        return "ctrl needs one letter";
      }
      int vk = std::toupper(static_cast<unsigned char>(letter[0]));
      if (!trim(rest).empty()) return "unexpected text after the letter";
      send(MessageKind::KeyDown, kCtrlKey, 0, {});
      send(MessageKind::KeyDown, vk, 0, {});
      send(MessageKind::KeyUp, vk, 0, {});
      return send(MessageKind::KeyUp, kCtrlKey, 0, {});
    }
    if (verb == "command") {
      long id;
      if (!parse_int(next_word(rest), 1, 9, id)) return "command needs a menu id from 1 to 9";
      return send(MessageKind::Command, id, 0, rest);
    }
    if (verb == "tick") {
      long count = 1;
      std::string_view n = next_word(rest);
      if (!n.empty() && !parse_int(n, 1, kMaxTicksPerLine, count)) {
        return "tick takes a count from 1 to " + std::to_string(kMaxTicksPerLine);
      }
      if (!trim(rest).empty()) return "unexpected text after the count";
      if (out_.entries.size() + count > kMaxMessages) return too_many();
      // Time passing: each tick is one period of the timer that runs.
      for (long i = 0; i < count; ++i) send(MessageKind::Timer, 0, 0, {});
      return {};
    }
    if (verb == "close") {
      if (!trim(rest).empty()) return "unexpected text after close";
      out_.entries.push_back({ScriptedInput::Close, {Window::Graphics, MessageKind::Destroy}});
      return {};
    }
    return "unknown message " + quoted(verb);
  }

 private:
  // The raw line from just after the word "reply".
  static std::string_view trim_left_verb(std::string_view raw) {
    while (!raw.empty() && (raw.front() == ' ' || raw.front() == '\t')) raw.remove_prefix(1);
    return raw.substr(5);
  }

  static std::string too_many() {
    return "more than " + std::to_string(kMaxMessages) + " messages in one file";
  }

  std::string send(MessageKind kind, long a, long b, std::string_view rest) {
    if (!trim(rest).empty()) return "unexpected text at the end of the line";
    if (out_.entries.size() >= kMaxMessages) return too_many();
    out_.entries.push_back(
        {ScriptedInput::Send, {Window::Graphics, kind, static_cast<int>(a), static_cast<int>(b)}});
    return {};
  }

  ScriptedInput& out_;
};

}  // namespace

bool parse_message_file(std::istream& in, ScriptedInput& out, std::string& error) {
  Parser parser(out);
  std::string raw;
  long number = 0;
  while (std::getline(in, raw)) {
    ++number;
    std::string problem = parser.line(raw);
    if (!problem.empty()) {
      error = "line " + std::to_string(number) + ": " + problem;
      return false;
    }
  }
  return true;
}

std::string transcript_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace zr590::platform

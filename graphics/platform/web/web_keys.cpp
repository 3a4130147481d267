#include "platform/web/web_keys.h"

#include <string>

#include "platform/web/text_font.h"

namespace zr590::platform::web {
namespace {

struct Named {
  std::string_view name;
  int vk;
};

// KeyboardEvent.key values of keys that type no character, or type a control character.
constexpr Named kNamedKeys[] = {
    {"Backspace", 8},    {"Tab", 9},         {"Clear", 12},
    {"Enter", 13},       {"Shift", 16},      {"Control", kCtrlKey},
    {"Alt", 18},         {"Pause", 19},      {"CapsLock", 20},
    {"Escape", 27},      {"PageUp", 33},     {"PageDown", 34},
    {"End", 35},         {"Home", 36},       {"ArrowLeft", 37},
    {"ArrowUp", 38},     {"ArrowRight", 39}, {"ArrowDown", 40},
    {"PrintScreen", 44}, {"Insert", 45},     {"Delete", 46},
    {"ContextMenu", 93}, {"NumLock", 144},   {"ScrollLock", 145},
};

// Characters of the US keyboard's punctuation keys, unshifted.
constexpr Named kPunctuation[] = {
    {";", 186}, {"=", 187}, {",", 188},  {"-", 189}, {".", 190}, {"/", 191},
    {"`", 192}, {"[", 219}, {"\\", 220}, {"]", 221}, {"'", 222}, {"<", 226},
};

// KeyboardEvent.code values: where a key is, whatever it types.
constexpr Named kCodes[] = {
    {"Space", 32},           {"Semicolon", 186},      {"Equal", 187},        {"Comma", 188},
    {"Minus", 189},          {"Period", 190},         {"Slash", 191},        {"Backquote", 192},
    {"BracketLeft", 219},    {"Backslash", 220},      {"BracketRight", 221}, {"Quote", 222},
    {"IntlBackslash", 226},  {"NumpadMultiply", 106}, {"NumpadAdd", 107},    {"NumpadComma", 108},
    {"NumpadSubtract", 109}, {"NumpadDecimal", 110},  {"NumpadDivide", 111}, {"NumpadEnter", 13},
};

template <std::size_t N>
int look_up(const Named (&table)[N], std::string_view name) {
  for (const Named& entry : table) {
    if (entry.name == name) return entry.vk;
  }
  return 0;
}

bool in(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}

// The one character a key types, or 0 when its key value is a name or several characters.
char32_t single_character(std::string_view key) {
  const std::u32string characters = decode_text(key);
  return characters.size() == 1 ? characters[0] : 0;
}

// "F1".."F24" as 1..24, else 0.
int function_key(std::string_view key) {
  if (key.size() < 2 || key.size() > 3 || key[0] != 'F') return 0;
  int n = 0;
  for (char c : key.substr(1)) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && n <= 24 ? n : 0;
}

int from_character(char32_t c) {
  if (in(c, 'a', 'z')) return static_cast<int>(c - 'a') + 65;
  if (in(c, 'A', 'Z')) return static_cast<int>(c - 'A') + 65;
  if (in(c, '0', '9')) return static_cast<int>(c - '0') + 48;
  if (c == ' ') return 32;
  if (c > 0 && c < 0x80) return look_up(kPunctuation, std::string(1, static_cast<char>(c)));
  return 0;
}

int from_code(std::string_view code) {
  if (code.size() == 4 && code.substr(0, 3) == "Key" && in(code[3], 'A', 'Z')) {
    return code[3] - 'A' + 65;
  }
  if (code.size() == 6 && code.substr(0, 5) == "Digit" && in(code[5], '0', '9')) {
    return code[5] - '0' + 48;
  }
  return look_up(kCodes, code);
}

}  // namespace

int virtual_key(const KeyEvent& event) {
  const char32_t c = single_character(event.key);
  // The keypad's digits (Num Lock on) have codes of their own; its other keys are named.
  if (event.code.substr(0, 6) == "Numpad") {
    if (in(c, '0', '9')) return static_cast<int>(c - '0') + 96;
    if (c != 0 || event.key == "Enter") return from_code(event.code);
  }
  if (c != 0) {
    if (int vk = from_character(c)) return vk;
    return event.shift ? from_code(event.code) : 0;
  }
  if (int n = function_key(event.key)) return 111 + n;
  return look_up(kNamedKeys, event.key);
}

int typed_character(const KeyEvent& event) {
  if (event.key == "Backspace") return event.ctrl ? 127 : 8;
  if (event.key == "Tab") return 9;
  if (event.key == "Enter") return event.ctrl ? 10 : 13;
  if (event.key == "Escape") return 27;
  const char32_t c = single_character(event.key);
  if (c == 0) return -1;
  if (event.ctrl) {
    if (in(c, 'a', 'z') || in(c, 'A', 'Z') || c == '[' || c == '\\' || c == ']') {
      return static_cast<int>(c & 0x1F);
    }
    return -1;  // Ctrl with any other key types nothing
  }
  // A key event carries one 8-bit character; beyond Latin-1 there is none to give.
  return c <= 0xFF ? static_cast<int>(c) : -1;
}

std::optional<Key> translate_key(const KeyEvent& event) {
  if (event.alt) return std::nullopt;
  Key key{virtual_key(event), typed_character(event)};
  if (key.vk == 0 && key.character < 0) return std::nullopt;
  return key;
}

int ctrl_shortcut(std::string_view menu_text) {
  const std::size_t tab = menu_text.find('\t');
  if (tab == std::string_view::npos) return 0;
  const std::string_view label = menu_text.substr(tab + 1);
  constexpr std::string_view kCtrl = "Ctrl+";
  if (label.size() != kCtrl.size() + 1 || label.substr(0, kCtrl.size()) != kCtrl) return 0;
  const char letter = label.back();
  return in(letter, 'A', 'Z') ? letter - 'A' + 65 : 0;
}

bool program_handles(const KeyEvent& event, const Key& key, const std::set<int>& ctrl_shortcuts) {
  if (event.ctrl) return ctrl_shortcuts.count(key.vk) != 0;
  return key.character >= 0;
}

}  // namespace zr590::platform::web

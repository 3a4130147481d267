#include "platform/web/web_keys.h"

#include <string>

#include "platform/virtual_keys.h"
#include "platform/text_encoding.h"

namespace zr590::platform::web {
namespace {

struct Named {
  std::string_view name;
  int vk;
};

// KeyboardEvent.key values of keys that type no character, or type a control character.
constexpr Named kNamedKeys[] = {
    {"Backspace", keys::kBackspace},
    {"Tab", keys::kTab},
    {"Clear", keys::kClear},
    {"Enter", keys::kEnter},
    {"Shift", keys::kShift},
    {"Control", keys::kCtrl},
    {"Alt", keys::kAlt},
    {"Pause", keys::kPause},
    {"CapsLock", keys::kCapsLock},
    {"Escape", keys::kEscape},
    {"PageUp", keys::kPageUp},
    {"PageDown", keys::kPageDown},
    {"End", keys::kEnd},
    {"Home", keys::kHome},
    {"ArrowLeft", keys::kLeft},
    {"ArrowUp", keys::kUp},
    {"ArrowRight", keys::kRight},
    {"ArrowDown", keys::kDown},
    {"PrintScreen", keys::kPrintScreen},
    {"Insert", keys::kInsert},
    {"Delete", keys::kDelete},
    {"ContextMenu", keys::kMenu},
    {"NumLock", keys::kNumLock},
    {"ScrollLock", keys::kScrollLock},
};

// KeyboardEvent.code values: where a key is, whatever it types (the US keyboard's unshifted
// character, or the keypad's key).
struct Place {
  std::string_view code;
  char32_t character;
  int vk;
};
constexpr Place kCodes[] = {
    {"Space", ' ', 0},
    {"Semicolon", ';', 0},
    {"Equal", '=', 0},
    {"Comma", ',', 0},
    {"Minus", '-', 0},
    {"Period", '.', 0},
    {"Slash", '/', 0},
    {"Backquote", '`', 0},
    {"BracketLeft", '[', 0},
    {"Backslash", '\\', 0},
    {"BracketRight", ']', 0},
    {"Quote", '\'', 0},
    {"IntlBackslash", '<', 0},
    {"NumpadMultiply", 0, keys::kMultiply},
    {"NumpadAdd", 0, keys::kAdd},
    {"NumpadComma", 0, keys::kSeparator},
    {"NumpadSubtract", 0, keys::kSubtract},
    {"NumpadDecimal", 0, keys::kDecimal},
    {"NumpadDivide", 0, keys::kDivide},
    {"NumpadEnter", 0, keys::kEnter},
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
  const std::u32string characters = display_characters(key);
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

int from_code(std::string_view code) {
  if (code.size() == 4 && code.substr(0, 3) == "Key") return keys::key_for_character(code[3]);
  if (code.size() == 6 && code.substr(0, 5) == "Digit") return keys::key_for_character(code[5]);
  for (const Place& place : kCodes) {
    if (place.code == code)
      return place.vk != 0 ? place.vk : keys::key_for_character(place.character);
  }
  return 0;
}

}  // namespace

int virtual_key(const KeyEvent& event) {
  const char32_t c = single_character(event.key);
  // The keypad's digits (Num Lock on) have codes of their own; its other keys are named.
  if (event.code.substr(0, 6) == "Numpad") {
    if (in(c, '0', '9')) return static_cast<int>(c - '0') + keys::kNumpad0;
    if (c != 0 || event.key == "Enter") return from_code(event.code);
  }
  if (c != 0) {
    if (int vk = keys::key_for_character(c)) return vk;
    return event.shift ? from_code(event.code) : 0;
  }
  if (int n = function_key(event.key)) return keys::kF1 - 1 + n;
  return look_up(kNamedKeys, event.key);
}

int typed_character(const KeyEvent& event) {
  return keys::typed_character(virtual_key(event), single_character(event.key), event.ctrl);
}

std::optional<Key> translate_key(const KeyEvent& event) {
  if (event.alt) return std::nullopt;
  Key key{virtual_key(event), typed_character(event)};
  if (key.vk == 0 && key.character < 0) return std::nullopt;
  return key;
}

bool program_handles(const KeyEvent& event, const Key& key, const std::set<int>& ctrl_shortcuts) {
  if (event.ctrl) return ctrl_shortcuts.count(key.vk) != 0;
  return key.character >= 0;
}

}  // namespace zr590::platform::web

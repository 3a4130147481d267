// Keys from the browser's keyboard events to the library's key messages: the same Windows
// virtual-key codes and typed characters that the GTK backend gives for the same keys.
#pragma once

#include <optional>
#include <set>
#include <string_view>

namespace zr590::platform::web {

// A keyboard event as the page reports it: KeyboardEvent.key (UTF-8) and .code, and the
// modifiers held (AltGr counts as none of them).
struct KeyEvent {
  std::string_view key;
  std::string_view code;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;  // Alt or Meta: such keys are the browser's and the menu bar's
};

struct Key {
  int vk;         // Windows virtual-key code; 0: the key has none
  int character;  // the character a press types, 1-255; -1: none
};

// The virtual-key code of a key: from what it types (letters in either case give 65-90),
// else, for a shifted key, from its place on the keyboard, as the unshifted key gives it.
int virtual_key(const KeyEvent& event);

// The character a press types: its low 8 bits on Windows, so nothing for characters beyond
// Latin-1. With Ctrl held a letter types its control code, as on Windows.
int typed_character(const KeyEvent& event);

// The key as the library sees it, or nothing for a key that is the browser's (Alt or Meta
// held) or makes no message (no code and no character).
std::optional<Key> translate_key(const KeyEvent& event);

// Whether the program acts on the key, so the browser must not: one of the menu's Ctrl
// shortcuts (their letter keys), or, without Ctrl, a key that types a character.
bool program_handles(const KeyEvent& event, const Key& key, const std::set<int>& ctrl_shortcuts);

}  // namespace zr590::platform::web

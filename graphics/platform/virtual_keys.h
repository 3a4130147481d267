// The keys as key messages carry them, on every backend: Windows virtual-key codes, and the
// character a key press types (what Windows' key translation would give). A backend maps its
// window system's key names to these; the rules that follow from what a key types are here.
#pragma once

#include "platform/platform.h"

namespace zr590::platform::keys {

inline constexpr int kBackspace = 8, kTab = 9, kClear = 12, kEnter = 13, kShift = 16,
                     kCtrl = kCtrlKey, kAlt = 18, kPause = 19, kCapsLock = 20, kEscape = 27,
                     kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37,
                     kUp = 38, kRight = 39, kDown = 40, kPrintScreen = 44, kInsert = 45,
                     kDelete = 46, kLeftSuper = 91, kRightSuper = 92, kMenu = 93;
// The keypad (Num Lock on) and the function keys.
inline constexpr int kNumpad0 = 96, kMultiply = 106, kAdd = 107, kSeparator = 108, kSubtract = 109,
                     kDecimal = 110, kDivide = 111, kF1 = 112, kF24 = 135, kNumLock = 144,
                     kScrollLock = 145;

// The code of the key that types `c` unshifted on a US keyboard: letters in either case
// 65-90, digits 48-57, space, the punctuation keys; 0 for any other character.
int key_for_character(char32_t c);

// The character a press types when the key's own character is `c` (0: none): with Ctrl held a
// letter types its control code (as do '[', '\' and ']') and other keys nothing; without, the
// character itself, but nothing beyond Latin-1, since a key message carries 8 bits (Cyrillic
// U+0443 would otherwise type 'C' and clear a drawing). Keys that type a control character of
// their own (Backspace, Tab, Enter, Escape) give it by their code. -1: the press types nothing.
int typed_character(int key, char32_t c, bool ctrl);

}  // namespace zr590::platform::keys

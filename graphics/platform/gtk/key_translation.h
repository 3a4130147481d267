// Keys from GDK to the library's key messages: Windows virtual-key codes for key-down and
// key-up, and the character that the key translation of the original platform would type.
#pragma once

#include <optional>

#include "platform/platform.h"

typedef struct _GdkEventKey GdkEventKey;

namespace zr590::platform::gtk {

// The virtual-key code of a key, by keyval (letters give 65-90 in either case); 0 if the key
// has none.
int virtual_key(unsigned keyval);

// The character a key press types, from GDK's translation of the key (its keyval with the
// modifiers applied), 1-255; -1 when the key types nothing (arrows, function keys, Delete,
// modifiers) or a character beyond Latin-1. With Ctrl held a letter types its control code,
// as on Windows.
int typed_character(unsigned keyval, bool ctrl_held);

// Keys that belong to the menu bar, as system keys do on Windows: Alt, F10 and anything
// pressed with Alt. They are left to GTK (mnemonics, menu activation) and not delivered.
bool is_menu_key(unsigned keyval, bool alt_held);

// The message for a key press or release in `window`, or nothing for a menu key or a key
// without a virtual-key code. A press carries its typed character.
std::optional<Input> key_message(Window window, const GdkEventKey& event);

}  // namespace zr590::platform::gtk

// Menu texts in the Windows form ("&Logging\tCtrl+L") turned into what a GTK menu item shows:
// a label with a GTK mnemonic ("_Logging") and the shortcut shown after it.
#pragma once

#include <string>

namespace zr590::platform::gtk {

struct MenuLabel {
  std::string label;  // UTF-8, '&' made '_', a literal '_' doubled, "&&" made '&'
  char shortcut = 0;  // the letter of a "Ctrl+X" after the tab (upper case), or 0
};

// `text` is Latin-1.
MenuLabel menu_label(const char* text);

}  // namespace zr590::platform::gtk

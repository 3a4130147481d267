// The graphics window's "&Run" menu and its commands.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace zr590 {

enum CommandId : int {
  CmdAnimate = 1,
  CmdHalt = 2,
  CmdAdvanceFrame = 3,
  CmdLogging = 4,
  CmdRecordScript = 5,
  CmdPlaybackScript = 6,
  CmdPlayOneScript = 7,
  CmdQuit = 8,
  CmdInfo = 9,
};

inline constexpr platform::MenuItem kRunMenuTitle{"Run", 0, 0, 0, false, false};
inline constexpr std::size_t kRunMenuItemCount = 16;
// The items in menu order, with their initial states; separators have no text.
extern const platform::MenuItem run_menu_items[kRunMenuItemCount];

// Performs a command (ids 1..8; others do nothing).
void perform_command(int id);
// The command whose Ctrl shortcut is this letter key's virtual-key code (65-90), or 0. Only
// the letter keys' codes: the codes of the lower-case letters' characters (97-122) are the
// keypad's and F1-F11's virtual keys, and taking them let Ctrl+F2 quit.
int command_for_shortcut(int key_code);

}  // namespace zr590

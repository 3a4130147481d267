#include "menu.h"

#include "event_core.h"
#include "library_state.h"

namespace zr590 {

// The contact addresses lead to the project's README, where help and updates are found.
// Label, mnemonic (index in the label), Ctrl shortcut, command, checked, greyed.
const platform::MenuItem run_menu_items[kRunMenuItemCount] = {
    {"Animate", 0, 'A', CmdAnimate, false, false},
    {"Halt animation", 0, 'H', CmdHalt, false, false},
    {"Advance one frame", 12, 'F', CmdAdvanceFrame, false, false},
    {nullptr, -1, 0, 0, false, false},
    {"Logging", 0, 'L', CmdLogging, true, false},
    {nullptr, -1, 0, 0, false, false},
    {"Record Script", 0, 'R', CmdRecordScript, false, false},
    {"Playback Script", 0, 'P', CmdPlaybackScript, false, false},
    {"Play One Script", 5, 'O', CmdPlayOneScript, false, false},
    {nullptr, -1, 0, 0, false, false},
    {"Quit", 0, 'Q', CmdQuit, false, false},
    {nullptr, -1, 0, 0, false, false},
    {"ZR590 v2.2 July 1997", -1, 0, CmdInfo, false, true},
    {"MAC: see README.md, section Help", -1, 0, CmdInfo, false, true},
    {"WINDOWS: see README.md, section Help", -1, 0, CmdInfo, false, true},
    {"UPDATES: see README.md, section Help", -1, 0, CmdInfo, false, true},
};

void perform_command(int id) {
  switch (id) {
    case CmdLogging:
      window_state.logging_on = !window_state.logging_on;
      platform::current().set_menu_check(CmdLogging, window_state.logging_on);
      // A program that asked for it (ZR590_visible_logging) shows its log as it switches
      // logging on; switching off leaves the window as it is.
      if (window_state.logging_on && window_state.visible_logging) ZR590_show_text_window(1);
      break;
    case CmdQuit:
      platform::current().post_quit(0);
      break;
    default:
      // Animation and scripts: what events come, and from where.
      event_core().command(id);
      break;
  }
}

int command_for_shortcut(int key_code) {
  for (const platform::MenuItem& item : run_menu_items) {
    if (item.shortcut != 0 && key_code == item.shortcut) return item.id;
  }
  return 0;
}

}  // namespace zr590

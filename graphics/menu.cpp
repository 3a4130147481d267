#include "menu.h"

#include "event_core.h"
#include "library_state.h"

namespace zr590 {

// The contact addresses lead to the project's README, where help and updates are found.
const platform::MenuItem run_menu_items[kRunMenuItemCount] = {
    {"&Animate\tCtrl+A", CmdAnimate, false, false},
    {"&Halt animation\tCtrl+H", CmdHalt, false, false},
    {"Advance one &frame\tCtrl+F", CmdAdvanceFrame, false, false},
    {nullptr, 0, false, false},
    {"&Logging\tCtrl+L", CmdLogging, true, false},
    {nullptr, 0, false, false},
    {"&Record Script\tCtrl+R", CmdRecordScript, false, false},
    {"&Playback Script\tCtrl+P", CmdPlaybackScript, false, false},
    {"Play &One Script\tCtrl+O", CmdPlayOneScript, false, false},
    {nullptr, 0, false, false},
    {"&Quit\tCtrl+Q", CmdQuit, false, false},
    {nullptr, 0, false, false},
    {"ZR590 v2.2 July 1997", CmdInfo, false, true},
    {"MAC: see README.md, section Help", CmdInfo, false, true},
    {"WINDOWS: see README.md, section Help", CmdInfo, false, true},
    {"UPDATES: see README.md, section Help", CmdInfo, false, true},
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
  // Only the letter keys' virtual-key codes (65-90, whatever the Shift state). The codes of the
  // lower-case letters' characters (97-122) are the keypad's and F1-F11's virtual keys: taking
  // them let Ctrl+F2 quit.
  struct Shortcut {
    int key;
    int id;
  };
  static constexpr Shortcut kShortcuts[] = {
      {'A', CmdAnimate},      {'H', CmdHalt},           {'F', CmdAdvanceFrame},  {'L', CmdLogging},
      {'R', CmdRecordScript}, {'P', CmdPlaybackScript}, {'O', CmdPlayOneScript}, {'Q', CmdQuit},
  };
  for (const Shortcut& shortcut : kShortcuts) {
    if (key_code == shortcut.key) return shortcut.id;
  }
  return 0;
}

}  // namespace zr590

// The graphics window's procedure: input into the event slot, menu commands and shortcuts,
// the timer, repaint and the drawing origin.
#include "colours.h"
#include "library_state.h"
#include "menu.h"
#include "platform/platform.h"

namespace zr590 {

namespace {
constexpr int kCtrlKey = 17;
constexpr int kTimerId = 2;
}  // namespace

void graphics_window_proc(const platform::Message& message) {
  using platform::MessageKind;
  platform::Platform& p = platform::current();
  switch (message.kind) {
    case MessageKind::Create:
      p.create_menu(kRunMenuTitle, run_menu_items, kRunMenuItemCount);
      break;
    case MessageKind::Size: {
      platform::Box client = p.client_rect(platform::Window::Graphics);
      window_state.centre_x = client.left + (client.right - client.left) / 2;
      window_state.centre_y = client.top + (client.bottom - client.top) / 2;
      break;
    }
    case MessageKind::Paint:
      copy_picture();
      break;
    case MessageKind::LButtonDown: {
      // The position word holds two unsigned 16-bit client coordinates.
      int px = message.a & 0xFFFF;
      int py = message.b & 0xFFFF;
      window_state.pending.kind = Mouse;
      window_state.pending.x = px - window_state.centre_x;
      window_state.pending.y = window_state.centre_y - py;
      break;
    }
    case MessageKind::Char:
      if (window_state.ctrl_down != 1) {
        window_state.pending.kind = Key;
        window_state.pending.key = static_cast<char>(message.a & 0xFF);
      }
      break;
    case MessageKind::KeyDown:
      if (message.a == kCtrlKey) {
        window_state.ctrl_down = 1;
      } else if (window_state.ctrl_down) {
        perform_command(command_for_shortcut(message.a));
      }
      break;
    case MessageKind::KeyUp:
      if (message.a == kCtrlKey) window_state.ctrl_down = 0;
      break;
    case MessageKind::FocusLost:
      // Ctrl may be released where no key-up reaches us; left set, it would turn plain keys
      // into shortcuts (q quits) and drop typed characters.
      window_state.ctrl_down = 0;
      break;
    case MessageKind::Command:
      // Only a menu command word (notification code 0 in the high half) is a command.
      if ((static_cast<unsigned>(message.a) >> 16) == 0) perform_command(message.a & 0xFFFF);
      break;
    case MessageKind::Timer:
      window_state.ticked = 1;
      break;
    case MessageKind::Destroy:
      p.kill_timer(kTimerId);
      p.post_quit(0);
      break;
  }
}

}  // namespace zr590

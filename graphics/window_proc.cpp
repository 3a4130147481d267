// The graphics window's procedure: input into the event slot, menu commands and shortcuts,
// the timer, repaint and the drawing origin.
#include "event_core.h"
#include "library_state.h"
#include "menu.h"
#include "platform/platform.h"

namespace zr590 {

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
    case MessageKind::LButtonDown:
      event_core().mouse_pressed(message.a - window_state.centre_x,
                                 window_state.centre_y - message.b);
      break;
    case MessageKind::Char:
      event_core().character_typed(message.a);
      break;
    case MessageKind::KeyDown:
      if (event_core().key_down(message.a)) perform_command(command_for_shortcut(message.a));
      break;
    case MessageKind::KeyUp:
      event_core().key_up(message.a);
      break;
    case MessageKind::FocusLost:
      event_core().focus_lost();
      break;
    case MessageKind::Command:
      // Only a menu command (notification code 0) is a command.
      if (message.b == 0) perform_command(message.a);
      break;
    case MessageKind::Timer:
      event_core().tick();
      break;
    case MessageKind::Destroy:
      p.kill_timer(kTimerId);
      p.post_quit(0);
      break;
  }
}

}  // namespace zr590

// Opening and closing the library: the process entry, windows, picture, timer and switches.
#include <zr590/zr590.h>

#include "event_core.h"
#include "library_state.h"
#include "menu.h"
#include "platform/platform.h"

namespace zr590 {
StartupArgs startup_args;

}  // namespace zr590

using zr590::window_state;

const ZR590_StartupArgs* ZR590_get_startup_args(void) {
  return &zr590::startup_args;
}

int ZR590_open(void* instance, void* prev_instance, char* command_line, int show_command) {
  (void)instance, (void)prev_instance;  // the window system keeps its own
  (void)command_line;
  (void)show_command;
  zr590::platform::Platform& p = zr590::platform::current();
  zr590::platform::Extent screen = p.screen_size();
  // The library starts with no animation and no step requested.
  zr590::event_core().animate(static_cast<int>(AnimationState::Halt));
  window_state.graphics_window = true;
  p.create_window(zr590::platform::Window::Graphics, "ZR590 Graphics", 0, 0,
                  zr590::kGraphicsWindowSize.width, zr590::kGraphicsWindowSize.height);
  window_state.text_window = true;
  p.create_window(zr590::platform::Window::Text, "ZR590 Text", 0, (2 * screen.height) / 3 + 1,
                  screen.width, screen.height / 3);
  window_state.window_dc = true;
  p.picture();
  p.show_window(zr590::platform::Window::Text, true);
  p.show_window(zr590::platform::Window::Graphics, true);
  p.start_timer(zr590::kTimerId, zr590::kTimerPeriodMs);
  return 1;
}

int ZR590_close() {
  if (window_state.window_dc) {
    zr590::platform::current().release_window_dc();
    window_state.window_dc = false;
  }
  zr590::event_core().close_script();
  return 1;
}

int ZR590_logging(int on) {
  if (!window_state.graphics_window) return 0;
  window_state.logging_on = on != 0;
  zr590::platform::current().set_menu_check(zr590::CmdLogging, window_state.logging_on);
  if (window_state.logging_on) ZR590_show_text_window(1);
  return 1;
}

int ZR590_visible_logging(int on) {
  window_state.visible_logging = on != 0;
  zr590::platform::current().set_text_close_hides(window_state.visible_logging);
  return 1;
}

int ZR590_show_text_window(int show) {
  if (!window_state.text_window) return 0;
  return zr590::platform::current().show_window(zr590::platform::Window::Text, show != 0);
}

// Xlib's header first, then ZR590's without the global names: both `Display`s in one program,
// which also keeps names of its own that ZR590 would otherwise have taken.
#include <X11/Xlib.h>

#define ZR590_NO_GLOBAL_NAMES
#include <zr590/display.h>
#include <zr590/entry.h>

enum OwnNames { Mouse, Key, Periodic, Quit };
struct StartupArgs {};

int main(int argc, char** argv) {
  ::Display* x_display = nullptr;  // Xlib's; nothing here connects to an X server
  zr590::Display display;
  display.clear(1);
  int x = 0, y = 0;
  char key = 0;
  for (int kind; (kind = display.nextEvent(x, y, key)) != zr590::Quit;) {
    if (kind == ZR590_EVENT_MOUSE) ZR590_printf("%s: mouse at (%d,%d)", argv[argc - 1], x, y);
  }
  static_assert(Quit == 3, "the program's own Quit");
  return x_display == nullptr ? 0 : 1;
}

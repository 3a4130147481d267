// The wait for the next event and the animation switch, as the library's callers see them.
#include <zr590/zr590.h>

#include "event_core.h"
#include "library_state.h"

int ZR590_await_event(int* x, int* y, char* key) {
  const zr590::Event event = zr590::event_core().next_event();
  *x = event.x;
  *y = event.y;
  *key = event.key;
  return event.kind;
}

int ZR590_event_from_script(void) {
  return zr590::event_core().view().from_script ? 1 : 0;
}

int ZR590_animate(int state) {
  if (!zr590::window_state.graphics_window) return 0;
  zr590::event_core().animate(state);
  return 1;
}

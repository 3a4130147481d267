#include "library_state.h"

#include "event_core.h"
#include "frame.h"
#include "platform/platform.h"
#include "script.h"
#include "text_log.h"

namespace zr590 {

LibraryState library;
WindowState& window_state = library.window;
Frames& frames = library.frames;

void copy_changes() {
  if (!frames.changed()) return;
  platform::Platform& p = platform::current();
  frames.settle(p.picture());
  if (!frames.changed()) return;
  p.copy_picture_to_window();
  frames.mark_shown();
}

void copy_picture() {
  platform::Platform& p = platform::current();
  frames.settle(p.picture());
  p.copy_picture_to_window();
  frames.mark_shown();
}

void reset_library_state() {
  script_close();
  library = LibraryState{};
}

}  // namespace zr590

// The library's process-wide window-side state; the event state is the event core's
// (event_core.h). One thread uses it; nothing is locked.
#pragma once

#include <zr590/zr590.h>

#include "platform/platform.h"

namespace zr590 {

// The graphics window: as large as the picture (caption, menu bar and frame included), with
// one periodic timer.
inline constexpr platform::Extent kGraphicsWindowSize{platform::kPictureWidth,
                                                      platform::kPictureHeight};
inline constexpr int kTimerId = 2;
inline constexpr int kTimerPeriodMs = 100;

struct WindowState {
  bool graphics_window = false;  // the graphics window exists (the library is open)
  bool text_window = false;      // the text window exists
  bool window_dc = false;        // the graphics window's drawing context is held
  int centre_x = 0;
  int centre_y = 0;
  bool logging_on = true;
  // ZR590_visible_logging: switching logging on from the menu shows the text window.
  bool visible_logging = false;
};

// The values the process entry received, for the display object's ZR590_open.
extern StartupArgs startup_args;
extern WindowState window_state;

// Copies the picture to the window; the frames then hold no change the window has not seen.
void copy_picture();

// Back to the state at program load: closes a script file, forgets the windows, the event
// core's state and the text ring. For tests, which run many library sessions in one process.
void reset_library_state();

}  // namespace zr590

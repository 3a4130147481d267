// The library's window-side switches, which the frames read on every drawing call; part of the
// library state (library_state.h).
#pragma once

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

extern WindowState& window_state;

}  // namespace zr590

// Everything the library keeps between calls, in one object: a reset puts all of it back at
// once, as at program load. One thread uses it; nothing is locked.
#pragma once

#include <zr590/zr590.h>

#include "event_core.h"
#include "frame.h"
#include "script.h"
#include "text_log.h"
#include "window_state.h"

namespace zr590 {

struct LibraryState {
  WindowState window;
  Frames frames;
  EventCore events;
  ScriptFile script;
  TextLog text;
};
extern LibraryState library;

// The values the process entry received, for the display object's ZR590_open; kept across
// resets, as the process entry runs once.
extern StartupArgs startup_args;

// Copies the picture to the window (a Paint); the frames then hold no change the window has not
// seen.
void copy_picture();
// Copies it only if it holds drawing the window has not seen (each pass of the event wait,
// ZR590_flush).
void copy_changes();

// Back to the state at program load: closes a script file (reporting a recording's failed last
// lines), then the whole library state is new. For tests, which run many library sessions in
// one process.
void reset_library_state();

}  // namespace zr590

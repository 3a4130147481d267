// The library's process-wide state: the window-side record, the script state and the flags.
// One thread uses it; nothing is locked.
#pragma once

#include <cstdio>

#include <zr590/zr590.h>

namespace zr590 {

// The single event slot that each wait empties and the window procedures fill.
struct PendingEvent {
  int kind = -1;  // -1 empty, else an EventKind
  int x = 0;
  int y = 0;
  char key = 0;
};

struct WindowState {
  bool graphics_window = false;  // the graphics window exists (the library is open)
  bool text_window = false;      // the text window exists
  void* instance = nullptr;
  bool window_dc = false;  // the graphics window's drawing context is held
  int centre_x = 0;
  int centre_y = 0;
  PendingEvent pending;
  bool running = false;
  bool step_requested = false;
  bool quit_requested = false;
  int ticked = 0;
  int ctrl_down = 0;
  int picture_dirty = 1;
  bool logging_on = true;
  // ZR590_visible_logging: switching logging on from the menu shows the text window.
  bool visible_logging = false;
};

enum class ScriptMode { Closed, Reading, Writing };

struct ScriptState {
  bool recording = false;
  bool playing = false;
  bool play_one_requested = false;
  std::FILE* script_file = nullptr;
  ScriptMode mode = ScriptMode::Closed;
  // Periodic events counted by the recorder since its last line.
  int periodic_count = 0;
  // Periodic events still to deliver from the last periodic line played. Kept apart from the
  // recorder's count: sharing one count let a recording made during playback feed the
  // playback an endless run of periodic events.
  int playback_periodic_count = 0;
};

// The values the process entry received, for the display object's ZR590_open.
extern StartupArgs startup_args;
extern WindowState window_state;
extern ScriptState script_state;

// Copies the picture to the window and clears picture_dirty.
void copy_picture();

// Back to the state at program load: closes a script file, forgets the windows and the text
// ring. For tests, which run many library sessions in one process.
void reset_library_state();

}  // namespace zr590

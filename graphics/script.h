// Recording the events the wait returns to "ZR590.SCR", and playing them back.
//
// Recording and playback share one file handle, opened in the mode of whichever needs it
// first. The rule that keeps a script safe: the file is never written while it is open for
// reading and never read while it is open for writing. A recorder that finds it open for a
// running playback reports that it cannot open the script for writing (and tries again at its
// next event); a player that finds it open for writing reports that it cannot open it for
// reading and stops. So a script being played is never truncated, and playback never reads
// lines a recorder has not finished writing. Switching recording on while no playback runs
// closes a file left open for reading, so that the recording gets it.
#pragma once

#include <cstddef>
#include <string_view>

namespace zr590 {

inline constexpr const char* kScriptFileName = "ZR590.SCR";
// The reader takes at most this many characters of a line; the rest of a longer line is
// skipped.
inline constexpr std::size_t kScriptLineLength = 511;

void script_write_event(int kind, int x, int y, char key);
// 1 after placing the next script event in the event slot; 0 after switching playback off.
int script_read_event();
void script_stop_playback();
void script_start_recording();
void script_stop_recording();
void script_close();
// How many script lines have been read since the program started (a measure of progress).
unsigned long script_lines_read();

// What one script line means.
struct ScriptLine {
  enum Kind { Unknown, Mouse, Key, Periodic } kind = Unknown;
  int x = 0;
  int y = 0;
  char key = 0;
  int count = 0;  // periodic events on the line
};
ScriptLine parse_script_line(std::string_view line);

}  // namespace zr590

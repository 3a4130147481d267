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
#include <cstdio>
#include <optional>
#include <string_view>

namespace zr590 {

inline constexpr const char* kScriptFileName = "ZR590.SCR";
// The reader takes at most this many characters of a line; the rest of a longer line is
// skipped.
inline constexpr std::size_t kScriptLineLength = 511;

// The one script file, open for reading (playback) or writing (recording), or closed.
enum class ScriptMode { Closed, Reading, Writing };
struct ScriptFile {
  std::FILE* file = nullptr;
  ScriptMode mode = ScriptMode::Closed;
};

// What one script line means.
struct ScriptLine {
  enum Kind { Unknown, Mouse, Key, Periodic } kind = Unknown;
  int x = 0;
  int y = 0;
  char key = 0;
  int count = 0;  // periodic events on the line
};
ScriptLine parse_script_line(std::string_view line);

// Writes a mouse or key line (other kinds write nothing), opening the file for writing when
// none is open. False if the write failed (a full disk): then "Cannot write script file
// ZR590.SCR" is reported in the text window and on standard error, the file is closed with
// what was written before, and the recording is to stop.
bool script_write_event(int kind, int x, int y, char key);
// Writes a periodic line for a run of `count` events; false as above.
bool script_write_periodic(int count);
// The next line of the script, blank lines skipped, opening the file for reading when none is
// open. Nothing, after reporting it in the text window, when the file cannot be read or has
// ended (then it is closed, so that the next playback starts from the first line).
std::optional<ScriptLine> script_read_line();
// Whether the file is open, and open for reading.
bool script_open_for_reading();
void script_close();

}  // namespace zr590

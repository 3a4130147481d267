#include "script.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>

#include <zr590/zr590.h>

#include "library_state.h"
#include "menu.h"
#include "platform/platform.h"

namespace zr590 {
namespace {

constexpr std::size_t kLetterIndex = 6;    // the letter after "ZR590_"
constexpr std::size_t kNumberLength = 11;  // the longest 32-bit decimal with its sign

// Lines read from scripts since the program started; never reset.
unsigned long lines_read = 0;

bool open_script(ScriptMode mode) {
  script_state.script_file = std::fopen(kScriptFileName, mode == ScriptMode::Writing ? "w" : "r");
  script_state.mode = script_state.script_file != nullptr ? mode : ScriptMode::Closed;
  return script_state.script_file != nullptr;
}

// Standard decimal conversion of a collected run: an optional leading minus, then digits up
// to the first other character. Values beyond 32 bits saturate.
int convert_number(std::string_view run) {
  bool negative = !run.empty() && run.front() == '-';
  if (negative) run.remove_prefix(1);
  long long value = 0;
  for (char c : run) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

// Finds the next run of characters accepted by `in_run`, starting at `pos`, and returns its
// first kNumberLength characters; `pos` moves past the whole run.
template <typename InRun>
std::string_view next_run(std::string_view line, std::size_t& pos, InRun in_run) {
  while (pos < line.size() && !in_run(line[pos])) ++pos;
  std::size_t start = pos;
  while (pos < line.size() && in_run(line[pos])) ++pos;
  std::string_view run = line.substr(start, pos - start);
  return run.substr(0, kNumberLength);
}

bool digit_or_minus(char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '-'; }
bool digit(char c) { return std::isdigit(static_cast<unsigned char>(c)); }

bool blank_line(const char* line) {
  return std::strcmp(line, "\n") == 0 || std::strcmp(line, "\r\n") == 0;
}

// Reads one line of at most kScriptLineLength characters into `line`; the rest of a longer
// line is read and dropped. Counted character by character rather than measured afterwards: a
// NUL byte inside the line would hide its true length. False when nothing more could be read.
bool read_line(std::FILE* file, char (&line)[kScriptLineLength + 1]) {
  std::size_t length = 0;
  int c = 0;
  while (length < kScriptLineLength && (c = std::getc(file)) != EOF) {
    line[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[length] = '\0';
  if (length == 0) return false;
  ++lines_read;
  if (length == kScriptLineLength && line[length - 1] != '\n') {
    while ((c = std::getc(file)) != EOF && c != '\n') {
    }
  }
  return true;
}

}  // namespace

ScriptLine parse_script_line(std::string_view line) {
  ScriptLine parsed;
  if (line.size() <= kLetterIndex) return parsed;
  std::size_t pos = kLetterIndex;
  switch (line[kLetterIndex]) {
    case 'K':
      parsed.kind = ScriptLine::Key;
      parsed.key = static_cast<char>(convert_number(next_run(line, pos, digit_or_minus)) & 0xFF);
      break;
    case 'M':
      parsed.kind = ScriptLine::Mouse;
      parsed.x = convert_number(next_run(line, pos, digit_or_minus));
      parsed.y = convert_number(next_run(line, pos, digit_or_minus));
      break;
    case 'P':
      parsed.kind = ScriptLine::Periodic;
      parsed.count = convert_number(next_run(line, pos, digit));
      break;
    default:
      break;
  }
  return parsed;
}

void script_write_event(int kind, int x, int y, char key) {
  // Only these make a line. Opening the file for any other (a Quit) would empty the script
  // that was there and write nothing in its place.
  if (kind != Mouse && kind != Key && kind != Periodic) return;
  if (script_state.script_file == nullptr) {
    if (!open_script(ScriptMode::Writing)) {
      ZR590_printf("Cannot open script file %s for writing\n", kScriptFileName);
      return;
    }
  } else if (script_state.mode != ScriptMode::Writing) {
    // Open for a playback that runs: writing now would destroy the script being played.
    ZR590_printf("Cannot open script file %s for writing\n", kScriptFileName);
    return;
  }
  std::FILE* file = script_state.script_file;
  switch (kind) {
    case Mouse:
      std::fprintf(file, "ZR590_MOUSE(%d, %d);\n", x, y);
      break;
    case Key:
      std::fprintf(file, "ZR590_KBD(%d);\n", static_cast<int>(static_cast<signed char>(key)));
      break;
    case Periodic:
      std::fprintf(file, "ZR590_PERIODIC(%d);\n", script_state.periodic_count);
      break;
    default:
      break;
  }
}

int script_read_event() {
  if (script_state.script_file == nullptr) {
    if (!open_script(ScriptMode::Reading)) {
      ZR590_printf("Cannot open script file %s for reading\n", kScriptFileName);
      script_stop_playback();
      return 0;
    }
  } else if (script_state.mode != ScriptMode::Reading) {
    // Still being recorded: its lines are not complete until the recording is closed.
    ZR590_printf("Cannot open script file %s for reading\n", kScriptFileName);
    script_stop_playback();
    return 0;
  }
  if (script_state.playback_periodic_count > 0) {
    --script_state.playback_periodic_count;
    window_state.pending.kind = Periodic;
    return 1;
  }
  std::FILE* file = script_state.script_file;
  char line[kScriptLineLength + 1];
  bool got = read_line(file, line);
  while (got && blank_line(line) && !std::feof(file)) got = read_line(file, line);
  if (!got || std::feof(file) || std::ferror(file)) {
    ZR590_printf("EOF encountered in script file %s\n", kScriptFileName);
    script_stop_playback();
    // Closed at its end, so that the next playback starts again from the first line.
    script_close();
    return 0;
  }
  ScriptLine parsed = parse_script_line(line);
  switch (parsed.kind) {
    case ScriptLine::Key:
      window_state.pending.kind = Key;
      window_state.pending.key = parsed.key;
      break;
    case ScriptLine::Mouse:
      window_state.pending.kind = Mouse;
      window_state.pending.x = parsed.x;
      window_state.pending.y = parsed.y;
      break;
    case ScriptLine::Periodic:
      window_state.pending.kind = Periodic;
      script_state.playback_periodic_count = parsed.count - 1;
      break;
    case ScriptLine::Unknown:
      script_stop_playback();
      return 0;
  }
  return 1;
}

void script_stop_playback() {
  script_state.playing = false;
  script_state.play_one_requested = false;
  platform::current().set_menu_check(CmdPlaybackScript, false);
}

void script_start_recording() {
  script_state.recording = true;
  platform::current().set_menu_check(CmdRecordScript, true);
  // A playback that stopped (at an unknown line, or after single steps) leaves the file open
  // for reading. With no playback running that handle serves nobody, and kept it would refuse
  // every line of the new recording.
  if (script_state.mode == ScriptMode::Reading && !script_state.playing &&
      !script_state.play_one_requested) {
    script_close();
  }
}

void script_stop_recording() {
  script_state.recording = false;
  platform::current().set_menu_check(CmdRecordScript, false);
  if (script_state.periodic_count > 0) {
    script_write_event(Periodic, 0, 0, 0);
    script_state.periodic_count = 0;
  }
  script_close();
}

unsigned long script_lines_read() {
  return lines_read;
}

void script_close() {
  if (script_state.script_file != nullptr) {
    std::fclose(script_state.script_file);
    script_state.script_file = nullptr;
  }
  script_state.mode = ScriptMode::Closed;
  // A closed script restarts at its first line, so a run left over from it is void.
  script_state.playback_periodic_count = 0;
}

}  // namespace zr590

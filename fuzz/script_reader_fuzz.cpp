// The script reader on arbitrary bytes: the bytes are "ZR590.SCR", playback is switched on with
// the "&Playback Script" command, and the wait is asked for events until it falls back to live
// input (of which there is none, so the headless window closes and the wait returns Quit).
//
// Checked: the events played are the ones a plain model of the format expects (one line at a
// time, at most 511 characters of it, lone line ends skipped, a periodic line standing for its
// count of events, a last line without a line end not played), and playing ends with the end-of-
// file message or, after an unknown line, silently. Then parse_script_line alone, and a round
// trip of events through the script writer and back through the reader.
#include <zr590/zr590.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "event_core.h"
#include "fuzz_support.h"
#include "library_state.h"
#include "menu.h"
#include "script.h"
#include "text_log.h"

namespace {

using zr590::ScriptLine;

struct Event {
  int kind;
  int x = 0;
  int y = 0;
  char key = 0;
  bool operator==(const Event&) const = default;
};

// More events than this from one input are not compared (a periodic line may ask for 2^31).
constexpr std::size_t kMaxEvents = 1000;
const std::string kEofLine =
    std::string("EOF encountered in script file ") + zr590::kScriptFileName + "\n";

struct Expected {
  std::vector<Event> events;
  bool ended = false;        // playback stops within kMaxEvents events
  bool eof_message = false;  // ... at the end of the file
};

// The model of the reader. Lines are split at line feeds; a line is judged by its first 511
// characters, as far as its first NUL.
Expected model(std::string_view bytes) {
  Expected out;
  std::size_t pos = 0;
  while (out.events.size() < kMaxEvents) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) {
      out.ended = out.eof_message = true;
      return out;
    }
    std::string_view line = bytes.substr(pos, end + 1 - pos).substr(0, zr590::kScriptLineLength);
    pos = end + 1;
    line = line.substr(0, line.find('\0'));
    if (line == "\n" || line == "\r\n") continue;
    ScriptLine parsed = zr590::parse_script_line(line);
    switch (parsed.kind) {
      case ScriptLine::Key:
        out.events.push_back({Key, 0, 0, parsed.key});
        break;
      case ScriptLine::Mouse:
        out.events.push_back({Mouse, parsed.x, parsed.y, 0});
        break;
      case ScriptLine::Periodic:
        for (int i = 0; i < std::max(parsed.count, 1) && out.events.size() < kMaxEvents; ++i) {
          out.events.push_back({Periodic});
        }
        break;
      case ScriptLine::Unknown:
        out.ended = true;
        return out;
    }
  }
  return out;
}

void write_file(std::string_view bytes) {
  std::ofstream file(zr590::kScriptFileName, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Event await() {
  Event e{0};
  e.kind = ZR590_await_event(&e.x, &e.y, &e.key);
  return e;
}

void check_playback(std::string_view bytes) {
  write_file(bytes);
  fuzz::FreshLibrary library;
  ZR590_open(nullptr, nullptr, nullptr, 1);
  library.platform.push_message({zr590::platform::Window::Graphics,
                                 zr590::platform::MessageKind::Command, zr590::CmdPlaybackScript});
  const Expected expected = model(bytes);
  for (const Event& want : expected.events) {
    fuzz::check(await() == want, "a played event differs from the script's line");
  }
  if (!expected.ended) return;
  fuzz::check(await().kind == Quit, "playback went on after the script's end");
  fuzz::check(!zr590::event_core().view().playing, "playback still switched on");
  std::vector<std::string> lines = zr590::text_log_lines();
  fuzz::check(lines == (expected.eof_message ? std::vector<std::string>{kEofLine}
                                             : std::vector<std::string>{}),
              "wrong text-window lines at the end of playback");
}

// The letter at index 6 alone chooses the kind; counts are never negative.
void check_line(std::string_view line) {
  ScriptLine parsed = zr590::parse_script_line(line);
  char letter = line.size() > 6 ? line[6] : '\0';
  ScriptLine::Kind kind = letter == 'K'   ? ScriptLine::Key
                          : letter == 'M' ? ScriptLine::Mouse
                          : letter == 'P' ? ScriptLine::Periodic
                                          : ScriptLine::Unknown;
  fuzz::check(parsed.kind == kind, "parse_script_line chose the wrong kind");
  fuzz::check(parsed.count >= 0, "a negative periodic count");
}

// Events written by the recorder play back as themselves.
void check_round_trip(std::string_view bytes) {
  if (bytes.size() < 13) return;
  int x, y, n;
  std::memcpy(&x, bytes.data(), 4);
  std::memcpy(&y, bytes.data() + 4, 4);
  std::memcpy(&n, bytes.data() + 8, 4);
  const char key = bytes[12];
  n = 1 + static_cast<int>(static_cast<unsigned>(n) % 7);

  fuzz::FreshLibrary library;
  ZR590_open(nullptr, nullptr, nullptr, 1);
  zr590::script_write_event(Mouse, x, y, 0);
  zr590::script_write_event(Key, 0, 0, key);
  zr590::script_write_periodic(n);
  zr590::script_close();
  zr590::event_core().command(zr590::CmdPlaybackScript);
  fuzz::check(await() == Event{Mouse, x, y, 0}, "a recorded click played back differently");
  fuzz::check(await() == Event{Key, 0, 0, key}, "a recorded key played back differently");
  for (int i = 0; i < n; ++i) {
    fuzz::check(await() == Event{Periodic}, "a recorded periodic run played back short");
  }
  fuzz::check(await().kind == Quit, "a recorded script played back too long");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::InScratchFolder in_scratch;
  check_playback(bytes);
  check_line(bytes);
  check_round_trip(bytes);
  return 0;
}

// The headless backend's message files (one platform message per line), and the text of the
// transcript lines a run writes.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace zr590::platform {

struct ScriptedInput {
  enum Kind { Send, Close };
  struct Entry {
    Kind kind;
    Message message;
  };
  std::vector<Entry> entries;        // the message queue, in order
  std::vector<std::string> replies;  // the separate queue of dialog answers
};

// Most ticks one `tick N` line may ask for, and most messages in one file.
inline constexpr long kMaxTicksPerLine = 1000000;
inline constexpr std::size_t kMaxMessages = 10000000;

// Parses a whole message file. On the first bad line, returns false with `error` naming the
// line number and what is wrong.
bool parse_message_file(std::istream& in, ScriptedInput& out, std::string& error);

// `text` for a transcript line (`text: `, `dialog: `, `reply: `), which stays one line whatever
// the text holds: line feed, carriage return and backslash are written as \n, \r and \\.
std::string transcript_text(std::string_view text);

}  // namespace zr590::platform

// The text window's console: the ring of the last 25 lines and their display.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zr590 {

inline constexpr int kTextLogLines = 25;

// The ring: one block per line, exactly its length plus the terminating NUL.
struct TextLog {
  std::unique_ptr<char[]> lines[kTextLogLines];
  int first = -1;
  int next_slot = 0;
};

// Scrolls the text window up one line and draws `text` at the bottom; a trailing line feed is
// not drawn.
void put_text_line(std::string_view text);

// The stored lines, oldest first, exactly as formatted.
std::vector<std::string> text_log_lines();
void text_log_reset();

}  // namespace zr590

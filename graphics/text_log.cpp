#include "text_log.h"

#include <cstring>
#include <memory>

#include "library_state.h"
#include "platform/platform.h"
#include "text_format.h"

namespace zr590 {
namespace {

TextLog& text_log = library.text;

int advance(int slot) { return slot == kTextLogLines - 1 ? 0 : slot + 1; }

void store_line(const char* text) {
  if (text_log.first == text_log.next_slot) {
    text_log.lines[text_log.first].reset();
    text_log.first = advance(text_log.first);
  }
  std::size_t length = std::strlen(text);
  auto block = std::make_unique<char[]>(length + 1);
  std::memcpy(block.get(), text, length + 1);
  text_log.lines[text_log.next_slot] = std::move(block);
  if (text_log.first < 0) text_log.first = text_log.next_slot;
  text_log.next_slot = advance(text_log.next_slot);
}

// Calls `visit` for every stored line, oldest first.
template <typename Visit>
void for_each_line(Visit visit) {
  if (text_log.first < 0) return;
  int slot = text_log.first;
  do {
    visit(text_log.lines[slot].get());
    slot = advance(slot);
  } while (slot != text_log.next_slot);
}

}  // namespace

void put_text_line(std::string_view text) {
  // A closed (or not yet created) text window draws nothing; the ring still keeps the line.
  if (!window_state.text_window) return;
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  platform::current().text_put_line(text);
}

std::vector<std::string> text_log_lines() {
  std::vector<std::string> lines;
  for_each_line([&](const char* line) { lines.emplace_back(line); });
  return lines;
}

void text_log_reset() { text_log = TextLog{}; }

void text_window_proc(const platform::Message& message) {
  using platform::MessageKind;
  switch (message.kind) {
    case MessageKind::Paint:
      for_each_line([](const char* line) { put_text_line(line); });
      break;
    case MessageKind::KeyDown:
    case MessageKind::KeyUp: {
      platform::Message forwarded = message;
      forwarded.window = platform::Window::Graphics;
      platform::current().post_message(forwarded);
      break;
    }
    case MessageKind::FocusLost:
      // Ctrl belongs to the graphics window's state; its focus rule holds for both windows.
      graphics_window_proc({platform::Window::Graphics, MessageKind::FocusLost});
      break;
    case MessageKind::Destroy:
      window_state.text_window = false;
      break;
    default:
      break;
  }
}

}  // namespace zr590

int ZR590_vprintf(const char* format, va_list args) {
  char buffer[zr590::kFormatBufferSize];
  int result = zr590::format_line(buffer, format, args);
  zr590::store_line(buffer);
  zr590::put_text_line(buffer);
  return result;
}

int ZR590_printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  int result = ZR590_vprintf(format, args);
  va_end(args);
  return result;
}

#include "platform/web/page.h"

#include <emscripten.h>

#include <vector>

namespace {

// clang-format off
EM_JS(int, js_screen_width, (), { return screen.width; });
EM_JS(int, js_screen_height, (), { return screen.height; });
EM_JS(void, js_present, (const std::uint8_t* rgba, int width, int height, int left, int top,
                        int right, int bottom), {
  Module.zr590Page.present(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height,
                           left, top, right - left, bottom - top);
});
EM_JS(void, js_menu_begin, (const char* title, int mnemonic), {
  Module.zr590Page.menuBegin(UTF8ToString(title), mnemonic);
});
EM_JS(void, js_menu_item, (const char* label, int mnemonic, const char* shortcut, int id,
                           int checked, int greyed), {
  Module.zr590Page.menuItem(label ? UTF8ToString(label) : null, mnemonic, UTF8ToString(shortcut),
                            id, !!checked, !!greyed);
});
EM_JS(void, js_menu_check, (int id, int checked), { Module.zr590Page.menuCheck(id, !!checked); });
EM_JS(int, js_show_text, (int show), { return Module.zr590Page.showText(!!show) ? 1 : 0; });
EM_JS(void, js_text_line, (const char* line), { Module.zr590Page.textLine(UTF8ToString(line)); });
EM_JS(void, js_start_timer, (int id, int period), { Module.zr590Page.startTimer(id, period); });
EM_JS(void, js_stop_timer, (int id), { Module.zr590Page.stopTimer(id); });
EM_ASYNC_JS(void, js_wait, (), { await Module.zr590Page.nextMessage(); });
EM_ASYNC_JS(void, js_yield, (), { await new Promise(resolve => setTimeout(resolve, 0)); });
EM_JS(void, js_open_line_dialog, (const char* prompt, const char* answer), {
  Module.zr590Page.lineDialog(UTF8ToString(prompt), answer ? UTF8ToString(answer) : null);
});
EM_JS(int, js_line_dialog_closed, (char* out, int capacity), {
  const typed = Module.zr590Page.dialogTyped();
  if (typed === null) return 0;
  stringToUTF8(typed, out, capacity);
  return 1;
});
EM_JS(void, js_files_changed, (), { Module.zr590Page.filesChanged(); });
EM_JS(int, js_session_length, (), {
  const text = Module.zr590Page.sessionText();
  return text === null ? -1 : lengthBytesUTF8(text);
});
EM_JS(void, js_session_copy, (char* out, int capacity), {
  stringToUTF8(Module.zr590Page.sessionText(), out, capacity);
});
EM_JS(void, js_transcript, (const char* bytes, int length), {
  Module.zr590Page.transcript.push(String.fromCharCode.apply(null, HEAPU8.subarray(bytes, bytes + length)));
});
EM_JS(void, js_note_box, (int left, int top, int right, int bottom), {
  Module.zr590Page.notedBoxes.push([left, top, right, bottom]);
});
EM_JS(void, js_program_ended, (int status), { Module.zr590Page.programEnded(status); });
// clang-format on

double asleep = 0;

}  // namespace

namespace zr590::platform::web::page {

int screen_width() {
  return js_screen_width();
}
int screen_height() {
  return js_screen_height();
}
void present(const std::uint8_t* rgba, int width, int height, Box box) {
  js_present(rgba, width, height, box.left, box.top, box.right, box.bottom);
}
void menu_begin(const char* title, int mnemonic) {
  js_menu_begin(title, mnemonic);
}
void menu_item(const char* label, int mnemonic, const char* shortcut, int id, bool checked,
               bool greyed) {
  js_menu_item(label, mnemonic, shortcut, id, checked, greyed);
}
void menu_check(int id, bool checked) {
  js_menu_check(id, checked);
}
bool show_text(bool show) {
  return js_show_text(show) != 0;
}
void text_line(const char* line) {
  js_text_line(line);
}
void start_timer(int id, int period_ms) {
  js_start_timer(id, period_ms);
}
void stop_timer(int id) {
  js_stop_timer(id);
}
void wait() {
  const double start = emscripten_get_now();
  js_wait();
  asleep += emscripten_get_now() - start;
}
double asleep_ms() {
  return asleep;
}
void yield() {
  js_yield();
}

void open_line_dialog(const char* prompt, const char* answer) {
  js_open_line_dialog(prompt, answer);
}

bool line_dialog_closed(std::string& typed, int capacity) {
  std::vector<char> out(static_cast<std::size_t>(capacity), '\0');
  if (js_line_dialog_closed(out.data(), capacity) == 0) return false;
  typed = out.data();
  return true;
}

void files_changed() {
  js_files_changed();
}

std::optional<std::string> session() {
  const int length = js_session_length();
  if (length < 0) return std::nullopt;
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  js_session_copy(text.data(), length + 1);
  return std::string(text.data(), static_cast<std::size_t>(length));
}

void transcript(std::string_view line) {
  js_transcript(line.data(), static_cast<int>(line.size()));
}
void note_box(int left, int top, int right, int bottom) {
  js_note_box(left, top, right, bottom);
}
void program_ended(int status) {
  js_program_ended(status);
}

}  // namespace zr590::platform::web::page

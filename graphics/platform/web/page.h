// The page's half of the web backend: each call goes to zr590-page.js (Module.zr590Page),
// which owns the canvas, the menu bar, the text panel, the dialog, the timers and the files.
// Text passed here is UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zr590::platform::web::page {

int screen_width();
int screen_height();
// Copies the box of the picture to the canvas.
void present(const std::uint8_t* rgba, int width, int height, Box box);
// Labels in UTF-8; a mnemonic is the index of its character in the label (-1: none); a shortcut
// is its label ("Ctrl+Q", or ""). A null label makes a separator.
void menu_begin(const char* title, int mnemonic);
void menu_item(const char* label, int mnemonic, const char* shortcut, int id, bool checked,
               bool greyed);
void menu_check(int id, bool checked);
// Returns whether the panel was shown before.
bool show_text(bool show);
void text_line(const char* line);
void start_timer(int id, int period_ms);
void stop_timer(int id);
// Sleeps until the page has handed the program something (input, a tick).
void wait();
// How long the program has slept in wait() so far, in milliseconds (a browser tells no
// processor time: the rest is time the program kept the page busy).
double asleep_ms();
// Lets the browser run for a moment (paint, input) while the program is busy.
void yield();
// Opens the modal line dialog showing `prompt`. A session's dialog (`answer` not null) is
// answered with it and closed at once.
void open_line_dialog(const char* prompt, const char* answer);
// Whether the dialog has closed; then `typed` is what was typed (at most `capacity` - 1 bytes,
// whole characters). Its closing wakes wait().
bool line_dialog_closed(std::string& typed, int capacity);
// Saves the working folder in the browser's storage if a file in it changed.
void files_changed();
// A session fed from a message file: its text; nothing for a live page.
std::optional<std::string> session();
// A session's transcript line, its bytes kept as they are (one character each).
void transcript(std::string_view line);
void note_box(int left, int top, int right, int bottom);
void program_ended(int status);

}  // namespace zr590::platform::web::page

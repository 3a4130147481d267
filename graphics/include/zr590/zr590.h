// ZR590: a small immediate-mode drawing library with one graphics window, a text console,
// a modal line-input dialog, an event wait with animation control, and input scripts.
//
// All functions run on the program's one thread. Coordinates are pixels with the origin at
// the centre of the graphics window's client area, x to the right and y upwards. Colours are
// indices 0..23 into the library's colour table; bad arguments are replaced and reported in
// the text window, never returned as errors.
#pragma once

#include <cstdarg>

// The four values the process entry receives; the library keeps them for ZR590_open.
struct StartupArgs {
  void* instance = nullptr;
  void* prev_instance = nullptr;
  char* command_line = nullptr;
  int show_command = 0;
};

// Event kinds returned by ZR590_await_event.
enum EventKind : int { Mouse = 1, Key = 2, Periodic = 3, Quit = 4 };

// Animation states accepted by ZR590_animate.
enum class AnimationState : int { Halt = 0, SingleStep = 1, Run = 2, Quit = 5 };

// The start-up values kept by the process entry (see <zr590/entry.h>).
const StartupArgs& ZR590_startup_args();

// Windows, picture and timer. ZR590_open returns 1; ZR590_close releases the window's drawing
// context and closes the script file, and returns 1.
int ZR590_open(void* instance, void* prev_instance, char* command_line, int show_command);
int ZR590_close();
// Logging of every drawing call to the text window. Returns 0 before ZR590_open, else 1.
int ZR590_logging(int on);
int ZR590_show_text_window(int show);

// Drawing primitives; each returns 1 (ZR590_text: the number of characters formatted).
int ZR590_circle(int colour, int x, int y, int radius);
int ZR590_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width);
int ZR590_rectangle(int colour, int x1, int y1, int x2, int y2, int width);
int ZR590_oval(int colour, int x1, int y1, int x2, int y2, int width);
int ZR590_line(int colour, int x1, int y1, int x2, int y2, int width);
int ZR590_text(int colour, int x, int y, int ptsize, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
// Fill the whole picture white (with a one-pixel black frame); the window is not updated.
int ZR590_clear();
// Copy the picture to the window if it changed since the last copy.
int ZR590_flush();

// Console: one formatted line in the text window (cut at 1023 characters). Returns the
// formatting result.
int ZR590_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
int ZR590_vprintf(const char* format, va_list args);
// Modal line input: shows `prompt` (first 79 characters), stores at most 255 characters and a
// NUL in `reply`, which must hold 256 bytes. Returns 1, or 0 if the dialog cannot be shown.
int ZR590_gets(const char* prompt, char* reply);

// Waits for the next event; stores its position and character. Returns an EventKind.
int ZR590_await_event(int* x, int* y, char* key);
// Sets the animation state. Returns 0 before ZR590_open, else 1.
int ZR590_animate(int state);

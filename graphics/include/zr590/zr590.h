/* ZR590: a small immediate-mode drawing library with one graphics window, a text console,
 * a modal line-input dialog, an event wait with animation control, and input scripts.
 *
 * All functions run on the program's one thread. Coordinates are pixels with the origin at
 * the centre of the graphics window's client area, x to the right and y upwards. Colours are
 * indices 0..23 into the library's colour table; bad arguments are replaced and reported in
 * the text window, never returned as errors.
 *
 * This header is C (C11) and C++. In C, and in C++ alike, the event kinds and animation states
 * are the prefixed constants ZR590_EVENT_* and ZR590_ANIMATION_*. C++ also has the names
 * zr590::StartupArgs, zr590::EventKind (Mouse, Key, Periodic, Quit) and zr590::AnimationState,
 * and by default the same names without `zr590::`, as programs written for the library use
 * them. Define ZR590_NO_GLOBAL_NAMES before including any ZR590 header to keep those global
 * names out, for example to include <X11/Xlib.h>, whose `Display` would collide.
 */
#pragma once

#define ZR590_VERSION_MAJOR 2
#define ZR590_VERSION_MINOR 2
#define ZR590_VERSION_STRING "2.2"

#ifdef __cplusplus
#include <cstdarg>
#else
#include <stdarg.h>
#endif

#if defined(__GNUC__)
#define ZR590_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(printf, format_index, first_argument)))
/* What the shared library exports: the public interface and nothing else. */
#define ZR590_API __attribute__((visibility("default")))
#else
#define ZR590_PRINTF_FORMAT(format_index, first_argument)
#define ZR590_API
#endif

/* C has no default member initialisers; in C++ the start-up values begin zeroed. */
#ifdef __cplusplus
#define ZR590_ZEROED_ = {}
#else
#define ZR590_ZEROED_
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Event kinds: the results of ZR590_await_event. */
enum {
  ZR590_EVENT_MOUSE = 1,    /* the left button pressed in the graphics window */
  ZR590_EVENT_KEY = 2,      /* a character typed */
  ZR590_EVENT_PERIODIC = 3, /* a timer tick while the animation runs, or the one step */
  ZR590_EVENT_QUIT = 4      /* Quit from the menu, or the graphics window closed */
};

/* Animation states: the arguments of ZR590_animate. */
enum {
  ZR590_ANIMATION_HALT = 0,
  ZR590_ANIMATION_SINGLE_STEP = 1,
  ZR590_ANIMATION_RUN = 2,
  ZR590_ANIMATION_QUIT = 5
};

/* The four values the process entry receives; the library keeps them for ZR590_open. */
struct ZR590_StartupArgs {
  void* instance ZR590_ZEROED_;
  void* prev_instance ZR590_ZEROED_;
  char* command_line ZR590_ZEROED_;
  int show_command ZR590_ZEROED_;
};
typedef struct ZR590_StartupArgs ZR590_StartupArgs;

/* The start-up values kept by the process entry (see <zr590/entry.h>); never null. */
ZR590_API const ZR590_StartupArgs* ZR590_get_startup_args(void);

/* Windows, picture and timer. ZR590_open returns 1; ZR590_close releases the window's drawing
 * context and closes the script file, and returns 1. */
ZR590_API int ZR590_open(void* instance, void* prev_instance, char* command_line, int show_command);
ZR590_API int ZR590_close(void);
/* Logging of every drawing call to the text window. Returns 0 before ZR590_open, else 1. */
ZR590_API int ZR590_logging(int on);
ZR590_API int ZR590_show_text_window(int show);
/* With `on` non-zero, switching logging on from the "&Logging" item or Ctrl+L also shows the
 * text window, and the text window's close box only hides it. Off at the start: the menu then
 * leaves the window as it is and the close box destroys it. Returns 1. */
ZR590_API int ZR590_visible_logging(int on);

/* Drawing primitives; each returns 1 (ZR590_text: the number of characters formatted). */
ZR590_API int ZR590_circle(int colour, int x, int y, int radius);
ZR590_API int ZR590_triangle(int colour, int x1, int y1, int x2, int y2, int x3, int y3, int width);
ZR590_API int ZR590_rectangle(int colour, int x1, int y1, int x2, int y2, int width);
ZR590_API int ZR590_oval(int colour, int x1, int y1, int x2, int y2, int width);
ZR590_API int ZR590_line(int colour, int x1, int y1, int x2, int y2, int width);
ZR590_API int ZR590_text(int colour, int x, int y, int ptsize, const char* format, ...)
    ZR590_PRINTF_FORMAT(5, 6);
/* Fill the whole picture white (with a one-pixel black frame); the window is not updated. */
ZR590_API int ZR590_clear(void);
/* Copy the picture to the window if it changed since the last copy. */
ZR590_API int ZR590_flush(void);

/* Console: one formatted line in the text window (cut at 1023 characters). Returns the
 * formatting result. */
ZR590_API int ZR590_printf(const char* format, ...) ZR590_PRINTF_FORMAT(1, 2);
ZR590_API int ZR590_vprintf(const char* format, va_list args);
/* Modal line input: shows `prompt` (first 79 characters), stores at most 255 characters and a
 * NUL in `reply`, which must hold ZR590_REPLY_SIZE (256) bytes. Returns 1, or 0 if the dialog
 * cannot be shown. */
#define ZR590_REPLY_SIZE 256
ZR590_API int ZR590_gets(const char* prompt, char* reply);

/* Waits for the next event; stores its position and character. Returns an event kind. */
ZR590_API int ZR590_await_event(int* x, int* y, char* key);
/* Sets the animation state. Returns 0 before ZR590_open, else 1. */
ZR590_API int ZR590_animate(int state);
/* 1 if the event the last wait returned was played from the script, else 0. */
ZR590_API int ZR590_event_from_script(void);
/* Writes the graphics window's picture, with everything drawn so far, to `path` as a PNG file
 * (through the same durable save as every file the library writes). Returns 1, or 0 with the
 * reason in the text window. */
ZR590_API int ZR590_save_picture(const char* path);

#ifdef __cplusplus
} /* extern "C" */

namespace zr590 {

using StartupArgs = ::ZR590_StartupArgs;

// Event kinds returned by ZR590_await_event.
enum EventKind : int {
  Mouse = ZR590_EVENT_MOUSE,
  Key = ZR590_EVENT_KEY,
  Periodic = ZR590_EVENT_PERIODIC,
  Quit = ZR590_EVENT_QUIT
};

// Animation states accepted by ZR590_animate.
enum class AnimationState : int {
  Halt = ZR590_ANIMATION_HALT,
  SingleStep = ZR590_ANIMATION_SINGLE_STEP,
  Run = ZR590_ANIMATION_RUN,
  Quit = ZR590_ANIMATION_QUIT
};

}  // namespace zr590

// The start-up values kept by the process entry (see <zr590/entry.h>).
inline const zr590::StartupArgs& ZR590_startup_args() {
  return *ZR590_get_startup_args();
}

#ifndef ZR590_NO_GLOBAL_NAMES
using zr590::AnimationState;
using zr590::EventKind;
using zr590::Key;
using zr590::Mouse;
using zr590::Periodic;
using zr590::Quit;
using zr590::StartupArgs;
#endif

#endif /* __cplusplus */

#undef ZR590_ZEROED_

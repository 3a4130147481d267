// The one interface between the library's logic and a window system. A backend (headless,
// GTK, Win32) implements Platform and Picture and installs itself with set_platform(); the
// logic never includes a window-system header.
#pragma once

#include <zr590/zr590.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zr590::platform {

inline constexpr int kPictureWidth = 601;
inline constexpr int kPictureHeight = 540;
// The virtual-key code of Ctrl.
inline constexpr int kCtrlKey = 17;

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
struct Point {
  int x, y;
};
struct Extent {
  int width, height;
};
// A box in pixels. For figures the right column and bottom row lie outside it.
struct Box {
  int left, top, right, bottom;
};
// A solid pen; widths 0 and 1 both paint one pixel.
struct Pen {
  int width;
  Rgb colour;
};
// A solid brush, or the empty brush (no fill) when hollow.
struct Brush {
  bool hollow;
  Rgb colour;
};

// The off-screen picture, kPictureWidth x kPictureHeight, in picture pixels (row 0 on top).
// Figures follow the conventions the library was designed on: a figure's box excludes its
// right column and bottom row, a 1-pixel outline runs along the inside of that box, a filled
// figure is painted by the brush inside the outline, and a line leaves its end point unpainted.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual void rectangle(Box box, const Pen& pen, const Brush& brush) = 0;
  // The ellipse inscribed in the box.
  virtual void ellipse(Box box, const Pen& pen, const Brush& brush) = 0;
  virtual void polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) = 0;
  virtual void line(Point from, Point to, const Pen& pen) = 0;
  // Size of `text` as one line in the library's font with character height `height` pixels
  // (0: the font's default height). Control characters are measured, not obeyed.
  virtual Extent text_extent(std::string_view text, int height) = 0;
  // Draws the glyphs only (transparent background); `at` is the top left of the first cell.
  virtual void text_out(Point at, std::string_view text, int height, Rgb colour) = 0;
  // Writes the picture as a PNG file; false if that failed.
  virtual bool write_png(const std::string& path) const = 0;
};

enum class Window { Graphics, Text };

enum class MessageKind {
  Create,       // the window is being created (the graphics window builds its menu)
  Destroy,      // the window is being destroyed
  Size,         // the client area changed size
  Paint,        // the window needs repainting
  LButtonDown,  // a = x, b = y in client pixels (0-65535)
  KeyDown,      // a = Windows virtual-key code (17 Ctrl, 65..90 letters)
  KeyUp,        // a = virtual-key code
  Char,         // a = character code (the logic keeps its low 8 bits)
  Command,      // a = menu command id, b = notification code (0 from a menu)
  Timer,        // a = timer id
  FocusLost,    // the window lost the keyboard focus (a key released elsewhere is not seen)
};

struct Message {
  Window window;
  MessageKind kind;
  int a = 0;
  int b = 0;
};

struct MenuItem {
  const char* text;  // nullptr for a separator
  int id;
  bool checked;
  bool greyed;
};

enum class Take { Nothing, Dispatched, Quit };

class Platform {
 public:
  virtual ~Platform() = default;

  // Screen size in pixels.
  virtual Extent screen_size() = 0;
  // Creates a window; its Create and then Size messages reach the window procedure before
  // this returns. The size is the outer size.
  virtual void create_window(Window window, const char* title, int x, int y, int width,
                             int height) = 0;
  // Builds the graphics window's menu bar with one pull-down of these items.
  virtual void create_menu(const char* title, const MenuItem* items, std::size_t count) = 0;
  virtual void set_menu_check(int command_id, bool checked) = 0;
  // The off-screen picture; created on first use, kept for the whole run.
  virtual Picture& picture() = 0;
  // Copies the whole picture to the graphics window's client area (top left at 0, 0).
  virtual void copy_picture_to_window() = 0;
  virtual void release_window_dc() = 0;
  virtual Box client_rect(Window window) = 0;
  // Returns the platform's result (non-zero if the window was visible before).
  virtual int show_window(Window window, bool show) = 0;
  virtual void start_timer(int id, int period_ms) = 0;
  virtual void kill_timer(int id) = 0;
  // Queues the quit message; it is taken after messages already posted.
  virtual void post_quit(int exit_code) = 0;
  // Queues a message for a window procedure (the text window forwards keys this way).
  virtual void post_message(const Message& message) = 0;

  // Message source. take_message takes one message without waiting: the quit message is
  // returned as Take::Quit undelivered; any other is translated (a key-down may queue a
  // character) and dispatched to its window procedure. has_message tells whether one is
  // waiting; wait_message blocks until one is.
  virtual Take take_message() = 0;
  virtual bool has_message() = 0;
  virtual void wait_message() = 0;

  // Text window: scroll up one line, clear the bottom strip, draw `line` there.
  virtual void text_put_line(std::string_view line) = 0;
  // From now on the text window's close box only hides it: no Destroy follows, and showing it
  // brings it back. Until then the close box destroys it. A backend whose text window has no
  // close box ignores this.
  virtual void set_text_close_hides(bool hides) { (void)hides; }

  // Runs the modal line-input dialog. `shown_prompt` is the prompt as the dialog shows it
  // (79 characters), `prompt` as the caller passed it. Stores what was typed in `reply` and
  // returns 1, or returns -1 when the dialog cannot be created (reply untouched).
  virtual int line_dialog(std::string_view prompt, std::string_view shown_prompt,
                          std::string& reply) = 0;
};

// The backend in use. Backends install theirs before the application's main() runs, either
// at once or as a function that opens it when the library first needs it (so that a program
// can answer --help without a display); that function does not return if it cannot.
Platform& current();
void set_current(Platform* platform);
void set_current_on_first_use(Platform* (*open)());

// The process entry of the backend linked in (each backend defines it; Windows has WinMain
// instead): takes the backend's own arguments out of argv, installs the backend and runs
// `program` with the rest through run_application(). Returns the process's exit status.
ZR590_API int run_process(int argc, char** argv, int (*program)(int, char**));

// Script lines the library has read since the program started: progress a playing script
// makes without any input.
unsigned long script_lines_read();

}  // namespace zr590::platform

// The window procedures, implemented by the library's logic; backends deliver every
// message of a window to its procedure.
namespace zr590 {
void graphics_window_proc(const platform::Message& message);
void text_window_proc(const platform::Message& message);
// The process entry, shared by the backends: keeps the start-up values, calls the
// application's main() with its own arguments (argv[argc] is null) and returns 0.
int run_application(const StartupArgs& args, int (*program)(int, char**), int argc, char** argv);
}  // namespace zr590

// The platform contract: everything the library's logic asks of a window system, and everything
// a window system must give back. A backend is one folder under graphics/platform/ that
// implements Picture and Platform below; the logic never includes a window-system header.
//
// Adding a backend (read this file, then graphics/platform/minimal/, the smallest complete
// backend: every call below in its plainest form, passing the conformance suite; copy it):
//   1. Derive from Platform. Implement every pure virtual call below; each says when the
//      library makes it and what it must do.
//   2. Turn the window system's events into Messages and push them into queue(): input with
//      queue().push_input(), timer ticks with queue().timer_fired(). Implement pump_events() to
//      collect them (blocking when asked). The library takes them one at a time through the
//      message source below, in the order the queue keeps.
//   3. Deliver Create, Size and Paint at once with deliver(); everything else goes through the
//      queue.
//   4. Give the program a process entry: define run_process() (see minimal_main.cpp), which
//      installs the backend with set_current() and calls run_application().
//   5. Run the conformance suite (tests/conformance) against it with a small adapter.
//   A backend whose window system keeps a message queue of its own (Win32) may use that queue
//   instead: it overrides take_message(), has_message() and wait_message() and must hand the
//   messages out in the same order (see MessageQueue).
//
// Everything runs on one thread; nothing is locked. The window procedures run inside
// take_message(), inside create_window() (Create and Size), inside a Paint the window system
// asks for, and inside the modal loop of line_dialog().
#pragma once

#include <zr590/zr590.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zr590::platform {

// The off-screen picture's size in pixels.
inline constexpr int kPictureWidth = 601;
inline constexpr int kPictureHeight = 540;
// The virtual-key code of Ctrl. Key messages carry Windows virtual-key codes: letters 65-90
// whatever the Shift state, digits 48-57, and so on.
inline constexpr int kCtrlKey = 17;
// The line dialog shows this many characters of its prompt and hands back at most this many
// bytes of what was typed.
inline constexpr std::size_t kPromptLength = 79;
inline constexpr std::size_t kReplyLength = ZR590_REPLY_SIZE - 1;

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
// What a window shows where nothing is drawn (the colour table's white).
inline constexpr Rgb kWindowBackground{255, 255, 255};

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
  // Every pixel, row after row from the top, with every drawing call made so far in them.
  virtual std::vector<Rgb> read_pixels() const = 0;

  // Optional: drawing within a clip rectangle, so that the library can keep its frames and draw
  // again only where one differs from the last. A picture that cannot clip keeps these defaults,
  // and the library then draws every call at once.
  virtual bool can_clip() const { return false; }
  // Until the next call, figures and text touch no pixel outside `clip` and paint exactly what
  // they would unclipped inside it.
  virtual void set_clip(Box clip) { (void)clip; }
  // A box holding every pixel text_out may paint for this text. By default the whole picture,
  // which is always right; a picture that clips should know better.
  virtual Box text_bounds(Point at, std::string_view text, int height) {
    (void)at, (void)text, (void)height;
    return {0, 0, kPictureWidth, kPictureHeight};
  }
};

// The library may hold drawing it has not yet put into a picture (it keeps frames and draws
// them when the picture is needed). A picture calls this before anything outside the library
// reads its pixels (a test, a PNG file); the library's own copy to the window settles first.
void settle_drawing(const Picture& picture);

enum class Window { Graphics, Text };

// The messages a window procedure takes, with what `a` and `b` hold.
enum class MessageKind {
  Create,       // the window is being created (the graphics window builds its menu)
  Destroy,      // the window is being destroyed
  Size,         // the client area's size: a = width, b = height
  Paint,        // the window needs repainting
  LButtonDown,  // the left button went down: a = x, b = y in client pixels (0-65535)
  KeyDown,      // a key went down: a = virtual-key code
  KeyUp,        // a key went up: a = virtual-key code
  Char,         // a character was typed: a = character code (the logic keeps its low 8 bits)
  Command,      // a menu item was chosen: a = its command id, b = notification code (0)
  Timer,        // a timer ticked: a = timer id
  FocusLost,    // the window lost the keyboard focus (a key released elsewhere is not seen)
};

struct Message {
  Window window;
  MessageKind kind;
  int a = 0;
  int b = 0;
};

// A message as a backend pushes it into the queue.
struct Input {
  Message message;
  // A key-down's typed character (-1: none). Once the key-down has reached its procedure the
  // character follows as a Char message, posted (so before any later input), as Windows'
  // TranslateMessage does.
  int character = -1;
  // The window's close box (message: Destroy). The procedure sees Destroy while the window
  // still exists; then the library calls destroy_window(), as Windows' default handling of the
  // close box does.
  bool close = false;
};

// The message queue the library owns. It hands messages out in the order a Windows thread
// queue does:
//   1. messages posted by the program (post_message(), the typed character of a key-down), in
//      the order posted;
//   2. the quit request (post_quit()), once;
//   3. input (push_input()), in arrival order;
//   4. a timer tick, only when nothing else waits: a timer's ticks that were not taken merge
//      into one.
class MessageQueue {
 public:
  void post(const Message& message);
  void post_quit();
  void push_input(const Input& input);
  // Timer `id` ticked (merged with a tick of the same id not taken yet).
  void timer_fired(int id);
  // A stopped timer's tick that was not taken yet is dropped.
  void timer_stopped(int id);

  bool ready() const;
  std::size_t size() const;
  enum class Next { Nothing, Message, Quit };
  // Takes the next message. With `include_quit` false a pending quit stays queued and the
  // messages behind it are taken (a modal loop leaves the quit to the event wait).
  Next take(bool include_quit, Input& out);

 private:
  std::deque<Input> posted_;
  std::deque<Input> input_;
  std::set<int> due_timers_;
  bool quit_ = false;
};

// A menu entry as the library defines it; each backend writes it in its window system's own
// form (Windows' "&Quit\tCtrl+Q", GTK's "_Quit" with an accelerator label, the page's <u>).
struct MenuItem {
  const char* label;  // what it shows (Latin-1); nullptr for a separator
  int mnemonic;       // index in label of the character that selects it (underlined); -1: none
  char shortcut;      // the letter 'A'-'Z' of its Ctrl shortcut; 0: none
  int id;
  bool checked;
  bool greyed;
};
// The label with `mark` before its mnemonic and every `mark` in it doubled ('&' on Windows,
// '_' in GTK).
std::string marked_label(const MenuItem& item, char mark);
// "Ctrl+Q", or "" when the item has no shortcut.
std::string shortcut_text(const MenuItem& item);

enum class Take { Nothing, Dispatched, Quit };

enum class TextBytes { Utf8, CodePage };

// The line dialog's prompt as every dialog shows it: at most kPromptLength characters of what
// the caller asked, in the backend's TextBytes, then `padding` spaces so that the field is
// always kPromptLength characters wide. A transcript records `text`; a dialog shows padded().
struct DialogPrompt {
  std::string text;
  std::size_t padding = 0;
  std::string padded() const { return text + std::string(padding, ' '); }
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- windows (ZR590_open makes these calls in this order, once) ---

  // Screen size in pixels; the text window is placed by it.
  virtual Extent screen_size() = 0;
  // Creates a window, hidden: the graphics window first, then the text window. The size is
  // the outer size, caption, menu bar and frame included. Before this returns, the window's
  // procedure must have been delivered Create and then Size (the client area's width and
  // height); the graphics window's procedure calls create_menu() while it handles Create.
  // Later changes of the client size deliver Size again.
  virtual void create_window(Window window, const char* title, int x, int y, int width,
                             int height) = 0;
  // Builds the graphics window's menu bar with one pull-down `title` (its label and mnemonic)
  // of these items. A shortcut is shown only: the library implements the shortcuts from key
  // messages. Choosing an enabled item queues Command (a = its id).
  virtual void create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) = 0;
  // Sets or clears the check mark of the first item with this command id (commands, logging).
  virtual void set_menu_check(int command_id, bool checked) = 0;
  // The off-screen picture; created on the first call (ZR590_open), kept for the whole run,
  // drawn by every drawing call.
  virtual Picture& picture() = 0;
  // Shows or hides a window (ZR590_open shows the text window, then the graphics window;
  // ZR590_show_text_window). Returns 1 if it was visible before, else 0.
  virtual int show_window(Window window, bool show) = 0;
  // Starts a periodic timer (ZR590_open: id 2, every 100 ms): a Timer message (a = id) for the
  // graphics window about every `period_ms` from now on, through queue().timer_fired().
  virtual void start_timer(int id, int period_ms) = 0;
  // Stops it (the graphics window's Destroy): no Timer of this id follows, not even one
  // that came before and was not taken (queue().timer_stopped()).
  virtual void kill_timer(int id) = 0;

  // --- what the window procedures ask ---

  // The client rectangle, in client pixels (Size: the drawing origin is its centre).
  virtual Box client_rect(Window window) = 0;
  // Copies the whole picture to the graphics window's client area, top left at (0, 0) (each
  // pass of the event wait while the picture has changed, Paint, ZR590_flush). The window
  // shows that copy, not the picture being drawn, until the next copy.
  virtual void copy_picture_to_window() = 0;
  // Gives back the graphics window's drawing context (ZR590_close); copies do nothing after.
  virtual void release_window_dc() = 0;
  // Text window (ZR590_printf, and Paint of the text window, which replays the kept lines):
  // scroll up one line, clear the bottom strip, draw `line` there, 5 pixels from the left.
  virtual void text_put_line(std::string_view line) = 0;
  // From now on the text window's close box only hides it: no Destroy follows, and showing it
  // brings it back. Until then the close box destroys it (ZR590_visible_logging). A backend
  // whose text window has no close box ignores this.
  virtual void set_text_close_hides(bool hides) { (void)hides; }
  // How the window system reads the library's text: UTF-8 (the default), or one byte a
  // character in the system's code page. The library shapes the dialog's prompt and reply to it.
  virtual TextBytes text_bytes() const { return TextBytes::Utf8; }
  // Runs the modal line-input dialog "ZR590_gets" (ZR590_gets) until "Okay" or Enter; Escape
  // and the dialog's close box do nothing, and the owner (the graphics window) takes no input
  // meanwhile. Shows `prompt` as the library shaped it; stores what was typed in `reply` (the
  // library cuts it to kReplyLength bytes of whole characters) and returns 1, or returns -1
  // when the dialog cannot be created (reply untouched). Messages that arrive while it is open
  // reach the window procedures at once (dispatch_all_but_quit()); the quit request stays
  // queued for the event wait.
  virtual int line_dialog(const DialogPrompt& prompt, std::string& reply) = 0;
  // Whether the window exists: created and not yet destroyed.
  virtual bool window_exists(Window window) = 0;

  // Queues the quit request (the Quit command, the graphics window's Destroy): the event wait
  // takes it after the messages already posted and before input.
  virtual void post_quit(int exit_code);
  // Posts a message to a window procedure (the text window forwards its keys this way): it is
  // taken before input, after the messages posted before it.
  virtual void post_message(const Message& message);

  // --- message source (the event wait, every pass) ---

  // Takes one message without waiting: Take::Quit for the quit request (not delivered), else
  // delivers it to its window's procedure (Take::Dispatched) or finds none (Take::Nothing).
  // Messages for a window that no longer exists reach nobody.
  virtual Take take_message();
  // Whether a message is waiting.
  virtual bool has_message();
  // Sleeps until a message is waiting; must not use the processor meanwhile (an idle editor
  // waits here between timer ticks).
  virtual void wait_message();

  // Tests and the conformance suite watch the messages that reach the window procedures:
  // `procedure` gets each one instead of the library's procedures (an empty one: the library's
  // again).
  using Procedure = std::function<void(const Message&)>;
  void set_window_procedure(Procedure procedure) { procedure_ = std::move(procedure); }

 protected:
  // Collects the window system's events into queue(). With `block`, sleeps until at least one
  // event has come (any event: the library calls again while the queue is empty). A backend
  // that overrides the message source above never has it called.
  virtual void pump_events(bool block) = 0;
  // Destroys a window after its procedure has seen the Destroy of its close box (Input::close).
  virtual void destroy_window(Window window) = 0;

  MessageQueue& queue() { return queue_; }
  const MessageQueue& queue() const { return queue_; }
  // Hands a message to its window's procedure now: Create, Size and Paint, which the window
  // system sends rather than queues, and every message of a backend with a queue of its own.
  void deliver(const Message& message);
  // What a new window's procedure sees before create_window() returns: Create, then Size with
  // client_rect().
  void deliver_created(Window window);
  // A modal loop of the backend's own (the line dialog) hands out the messages that arrive.
  void dispatch_all_but_quit();

 private:
  void dispatch(const Input& input);

  MessageQueue queue_;
  Procedure procedure_;
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

// The headless backend: a scripted message source, an in-memory picture and window, a text
// window that writes its lines to a stream, and a line dialog answered from a queue of
// replies. It serves the `shape-replay` runner and the tests.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/cairo/cairo_picture.h"
#include "platform/platform.h"

namespace zr590::platform {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // --- driving it ---
  // Queues a message; it reaches its window procedure when the library takes it. A timer
  // tick stands for time passing: it is delivered only when the library waits for a message.
  void push_message(const Message& message);
  // Queues the graphics window's close box, after the messages already queued.
  void push_close();
  // Queues an answer for the next line dialog; a dialog that finds none gets "".
  void push_reply(std::string reply);
  // Where `text: LINE`, `dialog: PROMPT` and `reply: TEXT` lines go (nullptr: nowhere).
  void set_transcript(std::ostream* out) { transcript_ = out; }
  // Runs while a line dialog is open, before it takes its reply (tests use it to deliver
  // messages to the windows as a modal loop would).
  std::function<void()> during_dialog;
  // Called when the library would block with an empty queue; the default delivers the
  // graphics window's close box, so that every scripted run ends.
  std::function<void()> on_queue_empty;
  // A program that keeps polling without taking a message is playing a script, which needs no
  // input; a script may be any length, but one periodic line may ask for 2^31 events, weeks
  // of replay. After this many polls in a row that took nothing while no script line was
  // read, on_queue_empty is called as if the program had waited: in real time that is about
  // 28 hours of recorded animation at 10 events a second.
  long max_polls_without_input = 1000000;

  // --- observing it ---
  CairoPicture& picture_surface() { return picture_; }
  const CairoPicture& window_surface() const { return window_; }
  int copies() const { return copies_; }
  bool visible(Window window) const;
  bool exists(Window window) const;
  bool menu_checked(int command_id) const;
  const std::vector<MenuItem>& menu() const { return menu_; }
  const std::string& menu_title() const { return menu_title_; }
  bool timer_running() const { return timer_running_; }
  bool window_dc_held() const { return window_dc_; }
  const std::vector<std::string>& text_lines() const { return text_lines_; }
  const std::vector<std::string>& dialog_prompts() const { return dialog_prompts_; }
  // Forgets the text lines and prompts seen so far (a long fuzzing run reuses one backend).
  void forget_seen() {
    text_lines_.clear();
    dialog_prompts_.clear();
  }
  std::size_t queued() const { return queue_.size(); }
  // Simulates the graphics window's close box: the window is destroyed.
  void close_graphics_window();
  // Changes the graphics window's client size (a Size message follows).
  void resize_client(int width, int height);

  // --- Platform ---
  Extent screen_size() override;
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const char* title, const MenuItem* items, std::size_t count) override;
  void set_menu_check(int command_id, bool checked) override;
  Picture& picture() override { return picture_; }
  void copy_picture_to_window() override;
  void release_window_dc() override { window_dc_ = false; }
  Box client_rect(Window window) override;
  int show_window(Window window, bool show) override;
  void start_timer(int id, int period_ms) override;
  void kill_timer(int id) override;
  void post_quit(int exit_code) override;
  void post_message(const Message& message) override;
  Take take_message() override;
  bool has_message() override;
  void wait_message() override;
  void text_put_line(std::string_view line) override;
  int line_dialog(std::string_view prompt, std::string_view shown_prompt,
                  std::string& reply) override;

 private:
  void dispatch(const Message& message);
  bool tick_at_head() const;

  CairoPicture picture_;
  CairoPicture window_;
  struct Queued {
    bool close;  // the close box rather than a message
    Message message;
  };
  std::deque<Queued> queue_;     // input, in arrival order
  std::deque<Message> posted_;   // posted by the library itself, taken before input
  std::deque<std::string> replies_;
  bool quit_posted_ = false;
  bool tick_due_ = false;  // the tick at the head of the queue has arrived
  long polls_without_input_ = 0;
  unsigned long script_lines_seen_ = 0;
  std::ostream* transcript_ = nullptr;
  int copies_ = 0;
  bool window_dc_ = false;
  bool timer_running_ = false;
  bool exists_[2] = {false, false};
  bool visible_[2] = {false, false};
  int client_width_ = kPictureWidth;
  int client_height_ = kPictureHeight;
  std::string menu_title_;
  std::vector<MenuItem> menu_;
  std::map<int, bool> checks_;
  std::vector<std::string> text_lines_;
  std::vector<std::string> dialog_prompts_;
};

}  // namespace zr590::platform

// The headless backend: the library without a display, driven by a script of messages;
// headless_main.cpp is its process entry (shape-replay's). The script, its time and its
// transcript are a ScriptedSession (platform/scripted_session.h), as in the web page's tests.
//
// Checklist (as every backend's header):
//   [x] clipping         the shared Cairo picture clips, so the library redraws only changes
//   [ ] own queue        scripted input goes into the library's MessageQueue
//   [ ] close box hides  a message file closes only the graphics window
//   [x] UTF-8 text       text_bytes() is the default, UTF-8 (the transcript)
//   [ ] modal loop       the dialog answers at once from the scripted replies
//   [x] timer            simulated: time passes as the script's ticks say
//   [x] files            the library's POSIX durable saves (no backend code)
//
// Implemented:
// - input from a script of messages (push_message, push_close), delivered in order when the
//   library takes them; a scripted tick is time passing, so it arrives only when the library
//   waits for a message;
// - the picture (the shared Cairo picture) and a window surface that holds the last copy;
// - windows, menu and check marks, timer, visibility as plain state that tests read;
// - the text window as `text:` lines and the line dialog as `dialog:` and `reply:` lines of a
//   transcript, with the dialog's answers from a queue of replies.
// Limitations:
// - no time passes but as the script's ticks say: each tick lets time pass until a timer ticks;
// - the dialog runs no modal loop: messages scripted after it come after it;
// - once the script is used up, the next wait closes the graphics window, so every run ends.
// Dependencies: Cairo and Pango (through the shared picture).
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/cairo/cairo_picture.h"
#include "platform/platform.h"
#include "platform/scripted_session.h"

namespace zr590::platform {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // --- driving it ---
  // Scripts input; it arrives when the library takes messages. A timer tick stands for time
  // passing: it arrives only when the library waits for a message (and only while the timer
  // runs). A key-down may carry the character it types (Input::character).
  void push_message(const Message& message) { push_input({message}); }
  void push_input(const Input& input) { script_.push_input(input); }
  // Scripts the graphics window's close box, after the input scripted so far.
  void push_close() { script_.push_close(); }
  // Queues an answer for the next line dialog; a dialog that finds none gets "".
  void push_reply(std::string reply) { script_.push_reply(std::move(reply)); }
  // The script, its time and its transcript.
  ScriptedSession& script() { return script_; }
  // Input that arrives now, as a window system's would: into the library's queue at once,
  // ahead of nothing the program has not taken.
  void arrive(const Input& input) { queue().push_input(input); }
  // Lets time pass while the program is busy: each running timer whose tick falls due ticks
  // (its ticks merged until the program takes them).
  void let_time_pass(long ms) { script_.let_time_pass(ms); }
  // Lets time pass until the next tick of a running timer.
  void pass_time_to_next_tick() { script_.pass_time_to_next_tick(); }
  // Where `text: LINE`, `dialog: PROMPT` and `reply: TEXT` lines go (nullptr: nowhere).
  void set_transcript(std::ostream* out);
  // Runs while a line dialog is open, before it takes its reply (tests use it to deliver
  // messages to the windows as a modal loop would).
  std::function<void()> during_dialog;
  // Called when the library would block with nothing scripted left; the default clicks the
  // graphics window's close box (or, once it is gone, posts the quit request), so that every
  // scripted run ends.
  // It is also called when a program keeps polling without end (ScriptedSession::pump).
  std::function<void()> on_queue_empty;

  // --- observing it ---
  CairoPicture& picture_surface() { return picture_; }
  const CairoPicture& window_surface() const { return window_; }
  int copies() const { return copies_; }
  bool visible(Window window) const;
  bool menu_checked(int command_id) const;
  const std::vector<MenuItem>& menu() const { return menu_; }
  const MenuItem& menu_title() const { return menu_title_; }
  bool timer_running() const { return script_.timer_running(); }
  // Time let pass since the backend was made, in milliseconds.
  long elapsed_ms() const { return script_.elapsed_ms(); }
  bool window_dc_held() const { return window_dc_; }
  const std::vector<std::string>& text_lines() const { return text_lines_; }
  const std::vector<std::string>& dialog_prompts() const { return dialog_prompts_; }
  // Forgets the text lines and prompts seen so far (a long fuzzing run reuses one backend).
  void forget_seen() {
    text_lines_.clear();
    dialog_prompts_.clear();
  }
  // Messages scripted or queued and not yet taken.
  std::size_t queued() const { return script_.pending() + queue().size(); }
  // Changes the graphics window's client size (a Size message follows).
  void resize_client(int width, int height);

  // --- Platform ---
  Extent screen_size() override;
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) override;
  void set_menu_check(int command_id, bool checked) override;
  Picture& picture() override { return picture_; }
  int show_window(Window window, bool show) override;
  void start_timer(int id, int period_ms) override;
  void kill_timer(int id) override;
  Box client_rect(Window window) override;
  void copy_picture_to_window() override;
  void release_window_dc() override { window_dc_ = false; }
  void text_put_line(std::string_view line) override;
  int line_dialog(const DialogPrompt& prompt, std::string& reply) override;
  bool window_exists(Window window) override;

 protected:
  void pump_events(bool block) override;
  void destroy_window(Window window) override;

 private:
  static int index(Window window) { return window == Window::Graphics ? 0 : 1; }

  CairoPicture picture_;
  CairoPicture window_;
  ScriptedSession script_{queue()};
  int copies_ = 0;
  bool window_dc_ = false;
  bool exists_[2] = {false, false};
  bool visible_[2] = {false, false};
  int client_width_ = kPictureWidth;
  int client_height_ = kPictureHeight;
  MenuItem menu_title_{};
  std::vector<MenuItem> menu_;
  std::map<int, bool> checks_;
  std::vector<std::string> text_lines_;
  std::vector<std::string> dialog_prompts_;
};

}  // namespace zr590::platform

// The smallest complete backend: only what platform.h requires, on the real clock, with no
// window system. Copy this folder to start a new backend; each call below is where the window
// system's own goes.
//
// Checklist (as every backend's header):
//   [x] clipping         the shared Cairo picture clips, so the library redraws only changes
//   [ ] own queue        uses the library's MessageQueue
//   [ ] close box hides  its text window has no close box
//   [x] UTF-8 text       text_bytes() is the default, UTF-8
//   [ ] modal loop       the dialog answers at once from answers queued with answer()
//   [x] timer            steady_clock; the wait sleeps until the next tick
//   [x] files            the library's POSIX durable saves (no backend code)
//
// Input comes from arrive() (tests, or the code embedding it). A wait that nothing can end
// (no timer runs, nothing has arrived) posts the quit request, so a program does not hang.
// Dependencies: Cairo and Pango (through the shared picture).
#pragma once

#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "platform/cairo/cairo_picture.h"
#include "platform/platform.h"

namespace zr590::platform {

class MinimalPlatform final : public Platform {
 public:
  // --- driving and observing it ---
  void arrive(const Input& input) { queue().push_input(input); }
  void answer(std::string reply) { answers_.push_back(std::move(reply)); }
  const CairoPicture& window_surface() const { return window_; }
  const std::vector<std::string>& text_lines() const { return text_lines_; }

  // --- Platform ---
  Extent screen_size() override { return {1024, 768}; }
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const MenuItem&, const MenuItem*, std::size_t) override {}
  void set_menu_check(int, bool) override {}
  Picture& picture() override { return picture_; }
  int show_window(Window window, bool show) override;
  void start_timer(int id, int period_ms) override;
  void kill_timer(int id) override;
  Box client_rect(Window window) override;
  void copy_picture_to_window() override;
  void release_window_dc() override { window_dc_ = false; }
  void text_put_line(std::string_view line) override { text_lines_.emplace_back(line); }
  int line_dialog(const DialogPrompt& prompt, std::string& reply) override;
  bool window_exists(Window window) override { return exists_[index(window)]; }

 protected:
  void pump_events(bool block) override;
  void destroy_window(Window window) override;

 private:
  using Clock = std::chrono::steady_clock;
  static int index(Window window) { return window == Window::Graphics ? 0 : 1; }

  CairoPicture picture_;
  CairoPicture window_;
  bool window_dc_ = true;
  bool exists_[2] = {false, false};
  bool visible_[2] = {false, false};
  int timer_id_ = 0;  // 0: no timer runs
  Clock::duration period_{};
  Clock::time_point next_tick_{};
  std::deque<std::string> answers_;
  std::vector<std::string> text_lines_;
};

}  // namespace zr590::platform

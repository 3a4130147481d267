// A platform that passes every call on to another. Tests, fuzz targets and benchmarks that wrap
// a backend to watch or time it derive from it and override only what they watch.
#pragma once

#include "platform/platform.h"

namespace zr590::platform {

class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

  Extent screen_size() override { return inner_.screen_size(); }
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override {
    inner_.create_window(window, title, x, y, width, height);
  }
  void create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) override {
    inner_.create_menu(title, items, count);
  }
  void set_menu_check(int id, bool checked) override { inner_.set_menu_check(id, checked); }
  Picture& picture() override { return inner_.picture(); }
  void copy_picture_to_window() override { inner_.copy_picture_to_window(); }
  void release_window_dc() override { inner_.release_window_dc(); }
  Box client_rect(Window window) override { return inner_.client_rect(window); }
  int show_window(Window window, bool show) override { return inner_.show_window(window, show); }
  void start_timer(int id, int period_ms) override { inner_.start_timer(id, period_ms); }
  void kill_timer(int id) override { inner_.kill_timer(id); }
  void post_quit(int exit_code) override { inner_.post_quit(exit_code); }
  void post_message(const Message& message) override { inner_.post_message(message); }
  Take take_message() override { return inner_.take_message(); }
  bool has_message() override { return inner_.has_message(); }
  void wait_message() override { inner_.wait_message(); }
  void text_put_line(std::string_view line) override { inner_.text_put_line(line); }
  TextBytes text_bytes() const override { return inner_.text_bytes(); }
  int line_dialog(const DialogPrompt& prompt, std::string& reply) override {
    return inner_.line_dialog(prompt, reply);
  }
  bool window_exists(Window window) override { return inner_.window_exists(window); }
  void set_text_close_hides(bool hides) override { inner_.set_text_close_hides(hides); }

 protected:
  // The messages come from the inner platform's own queue, taken through the calls above.
  void pump_events(bool) override {}
  void destroy_window(Window) override {}

 private:
  Platform& inner_;
};

}  // namespace zr590::platform

// The headless backend with a second picture beside its own: every call on the picture also
// goes to a reference that draws it at once, whole, on top of what is there. The retained
// picture (which draws frames by their differences when its pixels are needed) must always
// match it, and so must what each copy puts in the window. Shared by the frame tests and the
// frame fuzz target.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/cairo/cairo_picture.h"
#include "platform/headless/headless_platform.h"

namespace zr590::testing {

class DifferentialPlatform final : public platform::Platform {
 public:
  explicit DifferentialPlatform(platform::HeadlessPlatform& inner);

  // Runs after every message the library takes.
  std::function<void()> after_message;
  // Where the retained picture (settled now) and the reference first differ, or "".
  std::string picture_difference();
  // Where the window's copy and the reference as it was at that copy first differ, or "".
  std::string window_difference() const;

  // --- Platform: the headless backend's, but for the picture and its copies ---
  platform::Picture& picture() override { return tee_; }
  void copy_picture_to_window() override;
  platform::Extent screen_size() override { return inner_.screen_size(); }
  void create_window(platform::Window window, const char* title, int x, int y, int width,
                     int height) override {
    inner_.create_window(window, title, x, y, width, height);
  }
  void create_menu(const char* title, const platform::MenuItem* items, std::size_t count) override {
    inner_.create_menu(title, items, count);
  }
  void set_menu_check(int id, bool checked) override { inner_.set_menu_check(id, checked); }
  void release_window_dc() override { inner_.release_window_dc(); }
  platform::Box client_rect(platform::Window window) override { return inner_.client_rect(window); }
  int show_window(platform::Window window, bool show) override {
    return inner_.show_window(window, show);
  }
  void start_timer(int id, int period_ms) override { inner_.start_timer(id, period_ms); }
  void kill_timer(int id) override { inner_.kill_timer(id); }
  void post_quit(int exit_code) override { inner_.post_quit(exit_code); }
  void post_message(const platform::Message& message) override { inner_.post_message(message); }
  platform::Take take_message() override;
  bool has_message() override { return inner_.has_message(); }
  void wait_message() override { inner_.wait_message(); }
  void text_put_line(std::string_view line) override { inner_.text_put_line(line); }
  int line_dialog(std::string_view prompt, std::string_view shown, std::string& reply) override {
    return inner_.line_dialog(prompt, shown, reply);
  }

 private:
  class Tee final : public platform::Picture {
   public:
    Tee(platform::CairoPicture& retained, platform::CairoPicture& reference)
        : retained_(retained), reference_(reference) {}
    void rectangle(platform::Box box, const platform::Pen& pen,
                   const platform::Brush& brush) override;
    void ellipse(platform::Box box, const platform::Pen& pen,
                 const platform::Brush& brush) override;
    void polygon(const platform::Point (&points)[3], const platform::Pen& pen,
                 const platform::Brush& brush) override;
    void line(platform::Point from, platform::Point to, const platform::Pen& pen) override;
    platform::Extent text_extent(std::string_view text, int height) override {
      return retained_.text_extent(text, height);
    }
    void text_out(platform::Point at, std::string_view text, int height,
                  platform::Rgb colour) override;
    bool write_png(const std::string& path) const override { return retained_.write_png(path); }

   private:
    // The reference forgets each call's frame at once: it is drawn whole, nothing compared.
    void drawn() { reference_.forget_frame(); }
    platform::CairoPicture& retained_;
    platform::CairoPicture& reference_;
  };

  platform::HeadlessPlatform& inner_;
  platform::CairoPicture reference_;
  Tee tee_;
  std::vector<std::uint32_t> reference_window_;  // the reference's pixels at the last copy
};

// Where two pictures of the same size first differ, as "x,y", or "".
std::string first_difference(const platform::CairoPicture& a, const platform::CairoPicture& b);

}  // namespace zr590::testing

// The Win32 backend: the window classes "DrawWndClass" and "TextWndClass", their two windows,
// the "&Run" menu, the timer, the thread's message queue as the message source, the text
// window's surface, the line dialog and the GDI picture. The real window procedures convert
// each native message and hand it to the library's window procedures.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/platform.h"
#include "platform/win32/gdi_picture.h"

namespace zr590::platform::win32 {

class Win32Platform final : public Platform {
 public:
  // One per process: the window procedures find it through a process-wide pointer.
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Extent screen_size() override;
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const char* title, const MenuItem* items, std::size_t count) override;
  void set_menu_check(int command_id, bool checked) override;
  Picture& picture() override;
  void copy_picture_to_window() override;
  void release_window_dc() override;
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
  void set_text_close_hides(bool hides) override { text_close_hides_ = hides; }
  int line_dialog(std::string_view prompt, std::string_view shown_prompt,
                  std::string& reply) override;

 private:
  static LRESULT CALLBACK graphics_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK text_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT handle(Window window, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void deliver(const Message& message);
  void register_classes();
  HWND& hwnd(Window window) { return windows_[window == Window::Graphics ? 0 : 1]; }

  HINSTANCE instance_;
  HWND windows_[2] = {nullptr, nullptr};  // none before creation and after destruction
  std::optional<Window> creating_;        // the window CreateWindowExA is making
  bool sized_[2] = {false, false};
  bool shown_before_[2] = {false, false};
  bool classes_registered_ = false;
  bool text_close_hides_ = false;
  HMENU run_menu_ = nullptr;
  HDC window_dc_ = nullptr;
  std::unique_ptr<GdiPicture> picture_;
};

}  // namespace zr590::platform::win32

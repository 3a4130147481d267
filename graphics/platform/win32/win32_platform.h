// The Win32 backend: the system the library was designed for (USER32 and GDI32), built with
// mingw-w64 as a 32- or 64-bit Windows program. Start with this file; win_main.cpp is the
// process entry (WinMain), win32_messages.h the conversion of native messages.
//
// Checklist (as every backend's header):
//   [ ] clipping         the GDI picture draws every call at once
//   [x] own queue        the thread's message queue (PeekMessage, DispatchMessage)
//   [x] close box hides  the text window's close box hides it when the library asks
//   [ ] UTF-8 text       text_bytes() is CodePage: the system's ANSI code page
//   [x] modal loop       DialogBoxIndirectParam's own loop
//   [x] timer            SetTimer's WM_TIMER
//   [x] files            durable saves through the Windows file calls (safe_file_win32.cpp)
//
// Implemented:
// - the window classes "DrawWndClass" and "TextWndClass" and their two windows, the "&Run"
//   menu and its check marks, timer 2, show and hide;
// - the thread's own message queue is the message source: PeekMessage, TranslateMessage and
//   DispatchMessage hand messages out in the order the library's queue keeps (posted, quit,
//   input, timer), and the real window procedures convert each native message and deliver
//   it (win32_messages.h);
// - the picture drawn with GDI into a bitmap compatible with the window (gdi_picture.h);
// - the text window's console lines (text_console.h) and the "ZR590_gets" dialog from an
//   in-memory template (line_dialog.h).
// Limitations:
// - text is the system's ANSI code page, not UTF-8;
// - GDI's pixels differ from the Cairo picture's in text, wide pens and slanted edges.
// Dependencies: USER32, GDI32 and KERNEL32 only (a self-contained -static program).
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
  void create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) override;
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
  TextBytes text_bytes() const override { return TextBytes::CodePage; }
  int line_dialog(const DialogPrompt& prompt, std::string& reply) override;
  bool window_exists(Window window) override { return hwnd(window) != nullptr; }

  // The native window, for tests that play the user (nullptr when it does not exist).
  HWND native_window(Window window) const { return windows_[window == Window::Graphics ? 0 : 1]; }

 protected:
  // The system's queue is the message source: the library's queue is not used.
  void pump_events(bool) override {}
  // The system's default handling of the close box destroys the window itself.
  void destroy_window(Window) override {}

 private:
  static LRESULT CALLBACK graphics_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK text_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT handle(Window window, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  void register_classes();
  HWND& hwnd(Window window) { return windows_[window == Window::Graphics ? 0 : 1]; }

  HINSTANCE instance_;
  HWND windows_[2] = {nullptr, nullptr};  // none before creation and after destruction
  std::optional<Window> creating_;        // the window CreateWindowExA is making
  bool sized_[2] = {false, false};
  // The graphics window's client area as first sized, which the program keeps however large the
  // user makes the window, the factor it is shown enlarged by, and the least outer size.
  Extent client_{0, 0};
  int scale_ = 1;
  Extent least_outer_{0, 0};
  bool shown_before_[2] = {false, false};
  bool classes_registered_ = false;
  bool text_close_hides_ = false;
  HMENU run_menu_ = nullptr;
  HDC window_dc_ = nullptr;
  std::unique_ptr<GdiPicture> picture_;
};

}  // namespace zr590::platform::win32

// The GTK 3 backend: the library's windows on a Linux desktop (X11 or Wayland). Start with
// this file; gtk_main.cpp is the process entry, graphics_window.h and text_window.h the two
// windows, key_translation.h the keyboard.
//
// Checklist (as every backend's header):
//   [x] clipping         the shared Cairo picture clips, so the library redraws only changes
//   [ ] own queue        GTK's events go into the library's MessageQueue
//   [x] close box hides  the text window's close box hides it when the library asks
//   [x] UTF-8 text       text_bytes() is the default, UTF-8 (Pango)
//   [x] modal loop       the dialog runs GTK's nested main loop
//   [x] timer            a GLib timeout; the wait blocks in GLib's main loop
//   [x] files            the library's POSIX durable saves (no backend code)
//
// Implemented:
// - the graphics window: 601 x 540 outer size with the "&Run" menu bar above the client area,
//   which the user may enlarge (the client area then shows enlarged); left-button presses, keys as
//   Windows virtual-key codes with the character each types, losing the focus, the close box; a
//   GLib timer; the window shows the last copy of the picture (the shared Cairo picture);
// - the text window: lines in a fixed-pitch font, scrolled up as they come, replayed by the
//   library on repaint; its keys go to its own procedure, which forwards them;
// - the modal "ZR590_gets" dialog in GTK's nested main loop, which hands arriving messages to
//   the procedures while it runs;
// - GTK's events go into the library's message queue; the event wait blocks in GLib's main
//   loop while nothing is queued.
// Limitations:
// - the client area is 601 x 515 (GTK's menu bar is usually 25 pixels high; a taller one, as
//   with GDK_DPI_SCALE, makes the window taller), not Windows' 595 x 496;
// - the text window's font is the desktop's monospace font, not the system's fixed font;
// - Alt-modified keys and F10 belong to the menu bar and are not delivered;
// - a character beyond Latin-1 types nothing (a key event carries one 8-bit character).
// Dependencies: GTK 3, Cairo, Pango (pkg-config gtk+-3.0 pangocairo).
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/cairo/cairo_picture.h"
#include "platform/gtk/graphics_window.h"
#include "platform/gtk/message_sink.h"
#include "platform/gtk/text_window.h"
#include "platform/platform.h"

typedef struct _GtkWidget GtkWidget;

namespace zr590::platform::gtk {

class GtkPlatform final : public Platform, private MessageSink {
 public:
  // gtk_init must have succeeded.
  GtkPlatform();
  ~GtkPlatform() override;

  // --- Platform ---
  Extent screen_size() override;
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) override;
  void set_menu_check(int command_id, bool checked) override;
  Picture& picture() override { return picture_; }
  void copy_picture_to_window() override;
  void release_window_dc() override { window_dc_ = false; }
  Box client_rect(Window window) override;
  int show_window(Window window, bool show) override;
  void start_timer(int id, int period_ms) override;
  void kill_timer(int id) override;
  void text_put_line(std::string_view line) override;
  void set_text_close_hides(bool hides) override;
  int line_dialog(const DialogPrompt& prompt, std::string& reply) override;
  bool window_exists(Window window) override;

  // --- for tests ---
  GraphicsWindow* graphics_window() const { return graphics_.get(); }
  TextWindow* text_window() const { return text_.get(); }
  // Called once a line dialog is up, with the dialog (tests type into it from here).
  std::function<void(GtkWidget* dialog)> dialog_opened;

 protected:
  void pump_events(bool block) override;
  void destroy_window(Window window) override;

 private:
  // MessageSink
  void push(const Input& input) override;
  void send(const Message& message) override { deliver(message); }
  bool modal() const override { return modal_; }
  MessageSink& sink() { return *this; }

  static int on_timer(void* data);
  static int on_termination(void* data);

  CairoPicture picture_;
  std::unique_ptr<GraphicsWindow> graphics_;
  std::unique_ptr<TextWindow> text_;
  bool text_close_hides_ = false;
  struct Timer {
    GtkPlatform* platform;
    int id;
    unsigned source;
  };
  std::map<int, std::unique_ptr<Timer>> timers_;
  bool window_dc_ = true;
  bool modal_ = false;
  unsigned termination_sources_[3] = {};
  bool termination_pending_ = false;
};

}  // namespace zr590::platform::gtk

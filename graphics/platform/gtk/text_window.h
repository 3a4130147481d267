// The "ZR590 Text" window: a console of lines in a fixed-pitch font, newest at the bottom.
// Lines are drawn into a surface of the client area's size as they come; a repaint clears it
// and has the text window's procedure replay its ring of lines.
#pragma once

#include <string_view>

#include "platform/gtk/message_sink.h"
#include "platform/platform.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkWindow GtkWindow;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _PangoLayout PangoLayout;

namespace zr590::platform::gtk {

class TextWindow {
 public:
  TextWindow(MessageSink& sink, const char* title, int x, int y, int width, int height);
  ~TextWindow();
  TextWindow(const TextWindow&) = delete;
  TextWindow& operator=(const TextWindow&) = delete;

  // Scrolls the lines up by one line height and draws `line` (as display_utf8 shows it) at the
  // bottom, 5 pixels from the left edge.
  void put_line(std::string_view line);
  Box client_rect() const { return {0, 0, width_, height_}; }
  int show(bool show);
  // Whether the close box hides the window (true) or, as at first, destroys it.
  void set_close_hides(bool hides) { close_hides_ = hides; }
  void destroy();
  bool exists() const { return window_ != nullptr; }

  GtkWindow* gtk_window() const;
  cairo_surface_t* surface() const { return surface_; }
  int line_height() const { return line_height_; }

 private:
  void make_surface(int width, int height);
  static int on_delete(GtkWidget*, void* event, void* data);
  static void on_destroy(GtkWidget*, void* data);
  static void on_map(GtkWidget*, void* data);
  static int on_key(GtkWidget*, void* event, void* data);
  static int on_focus_out(GtkWidget*, void* event, void* data);
  static int on_draw(GtkWidget*, void* cr, void* data);
  static void on_size_allocate(GtkWidget*, void* allocation, void* data);

  MessageSink& sink_;
  GtkWidget* window_;
  GtkWidget* area_;
  cairo_surface_t* surface_ = nullptr;
  PangoLayout* layout_;
  int width_;
  int height_;
  int line_height_;
  bool needs_replay_ = true;  // shown or resized: the next paint replays the ring
  bool in_draw_ = false;
  bool close_hides_ = false;
};

}  // namespace zr590::platform::gtk

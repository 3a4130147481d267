// The "ZR590 Graphics" window: a top-level window with the menu bar above a fixed-size
// drawing area (the client area) that shows the window surface; any decorations lie outside.
#pragma once

#include <memory>

#include "platform/gtk/menu_bar.h"
#include "platform/gtk/message_sink.h"
#include "platform/gtk/window_surface.h"
#include "platform/platform.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _GtkWindow GtkWindow;
typedef struct _cairo_surface cairo_surface_t;

namespace zr590::platform::gtk {

class GraphicsWindow {
 public:
  // `width` x `height` is the outer size: menu bar and client area together.
  GraphicsWindow(MessageSink& sink, const char* title, int x, int y, int width, int height);
  ~GraphicsWindow();
  GraphicsWindow(const GraphicsWindow&) = delete;
  GraphicsWindow& operator=(const GraphicsWindow&) = delete;

  // Remembers the client size a Size message has told, so that only a change sends another.
  void size_reported(Box client);
  void build_menu(const char* title, const MenuItem* items, std::size_t count);
  void set_menu_check(int command_id, bool checked);
  // Fills the window surface from the picture and has the window show it.
  void copy_from(cairo_surface_t* picture);
  // The drawing area, in its own pixels: the real allocation once there is one, before that
  // the outer size less the menu bar's height.
  Box client_rect() const;
  int show(bool show);
  void destroy();
  bool exists() const { return window_ != nullptr; }

  GtkWindow* gtk_window() const;
  GtkWidget* drawing_area() const { return area_; }
  const MenuBar* menu() const { return menu_.get(); }
  const WindowSurface& surface() const { return surface_; }

 private:
  static int on_delete(GtkWidget*, void* event, void* data);
  static void on_destroy(GtkWidget*, void* data);
  static int on_key(GtkWidget*, void* event, void* data);
  static int on_focus_out(GtkWidget*, void* event, void* data);
  static int on_button(GtkWidget*, void* event, void* data);
  static int on_draw(GtkWidget*, void* cr, void* data);
  static void on_size_allocate(GtkWidget*, void* allocation, void* data);

  MessageSink& sink_;
  GtkWidget* window_;
  GtkWidget* box_;
  GtkWidget* area_;
  std::unique_ptr<MenuBar> menu_;
  WindowSurface surface_;
  int width_;
  int height_;
  int allocated_width_ = -1;  // the drawing area's real size, once GTK has laid it out
  int allocated_height_ = -1;
  int reported_width_ = -1;  // the client size the last Size message told
  int reported_height_ = -1;
  bool in_draw_ = false;  // painting: a copy now needs no further redraw
};

}  // namespace zr590::platform::gtk

// The "ZR590 Graphics" window: a top-level window with the menu bar above a drawing area that
// shows the window surface; any decorations lie outside. The client area is the drawing area's
// start size; the user may make the window larger, which shows the client area enlarged
// (window_scale.h) without changing it.
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
  void build_menu(const MenuItem& title, const MenuItem* items, std::size_t count);
  void set_menu_check(int command_id, bool checked);
  // Fills the window surface from the picture and has the window show it.
  void copy_from(cairo_surface_t* picture);
  // The client area: the drawing area's start size (the outer size less the menu bar's height),
  // or less where the drawing area really got less.
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
  // The client area at its start size: the drawing area's size request.
  Extent requested_client() const;

  MessageSink& sink_;
  GtkWidget* window_;
  GtkWidget* box_;
  GtkWidget* area_;
  std::unique_ptr<MenuBar> menu_;
  WindowSurface surface_;
  int width_;
  int height_;
  // The drawing area's real size, once GTK has laid it out, and the factor it shows the client
  // area enlarged by.
  int allocated_width_ = -1;
  int allocated_height_ = -1;
  int scale_ = 1;
  int reported_width_ = -1;  // the client size the last Size message told
  int reported_height_ = -1;
  bool in_draw_ = false;  // painting: a copy now needs no further redraw
};

}  // namespace zr590::platform::gtk

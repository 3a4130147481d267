#include "platform/gtk/graphics_window.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "platform/gtk/key_translation.h"
#include "platform/gtk/toplevel.h"
#include "platform/window_scale.h"

namespace zr590::platform::gtk {
namespace {
// The menu bar's height in the usual theme at the usual font size. The client area is the outer
// size less this, whatever the menu bar really takes (a larger font, GDK_DPI_SCALE, another
// theme: the window grows instead), so that a program always sees the same part of the picture.
constexpr int kMenuBarHeight = 25;
}  // namespace

GraphicsWindow::GraphicsWindow(MessageSink& sink, const char* title, int x, int y, int width,
                               int height)
    : sink_(sink),
      window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)),
      box_(gtk_box_new(GTK_ORIENTATION_VERTICAL, 0)),
      area_(gtk_drawing_area_new()),
      surface_(kPictureWidth, kPictureHeight),
      width_(width),
      height_(height) {
  GtkWindow* window = GTK_WINDOW(window_);
  gtk_window_set_title(window, title);
  // The size goes on the drawing area, not the top level: under Wayland GTK draws its own title
  // bar and shadow inside the top level's size, which would cut the picture.
  gtk_widget_set_size_request(area_, width, height);
  // Larger, never smaller: the size request is the least the drawing area gets.
  gtk_window_set_resizable(window, TRUE);
  gtk_window_move(window, x, y);
  gtk_container_add(GTK_CONTAINER(window_), box_);
  gtk_box_pack_end(GTK_BOX(box_), area_, TRUE, TRUE, 0);
  gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK);
  gtk_widget_show(box_);
  gtk_widget_show(area_);

  g_signal_connect(window_, "delete-event", G_CALLBACK(on_delete), this);
  g_signal_connect(window_, "destroy", G_CALLBACK(on_destroy), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(on_key), this);
  g_signal_connect(window_, "key-release-event", G_CALLBACK(on_key), this);
  g_signal_connect(window_, "focus-out-event", G_CALLBACK(on_focus_out), this);
  g_signal_connect(area_, "button-press-event", G_CALLBACK(on_button), this);
  g_signal_connect(area_, "draw", G_CALLBACK(on_draw), this);
  g_signal_connect(area_, "size-allocate", G_CALLBACK(on_size_allocate), this);
}

GraphicsWindow::~GraphicsWindow() {
  destroy();
}

GtkWindow* GraphicsWindow::gtk_window() const {
  return window_ != nullptr ? GTK_WINDOW(window_) : nullptr;
}

void GraphicsWindow::build_menu(const MenuItem& title, const MenuItem* items, std::size_t count) {
  if (window_ == nullptr) return;
  if (menu_) gtk_widget_destroy(menu_->widget());
  menu_ = std::make_unique<MenuBar>(sink_, title, items, count);
  gtk_box_pack_start(GTK_BOX(box_), menu_->widget(), FALSE, FALSE, 0);
  // The menu bar and the client area share the outer size, as a Win32 window's do.
  const Extent client = requested_client();
  gtk_widget_set_size_request(area_, client.width, client.height);
}

void GraphicsWindow::size_reported(Box client) {
  reported_width_ = client.right - client.left;
  reported_height_ = client.bottom - client.top;
}

void GraphicsWindow::set_menu_check(int command_id, bool checked) {
  if (menu_) menu_->set_check(command_id, checked);
}

void GraphicsWindow::copy_from(cairo_surface_t* picture) {
  if (!surface_.fill_from(picture) || window_ == nullptr || in_draw_) return;
  gtk_widget_queue_draw(area_);
}

Extent GraphicsWindow::requested_client() const {
  return {width_, height_ - (menu_ ? kMenuBarHeight : 0)};
}

Box GraphicsWindow::client_rect() const {
  const Extent client = requested_client();
  if (allocated_width_ < 0) return {0, 0, client.width, client.height};
  return {0, 0, std::min(allocated_width_, client.width),
          std::min(allocated_height_, client.height)};
}

int GraphicsWindow::show(bool show) {
  return show_toplevel(window_, show);
}

void GraphicsWindow::destroy() {
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

int GraphicsWindow::on_delete(GtkWidget*, void*, void* data) {
  auto* self = static_cast<GraphicsWindow*>(data);
  // The owner of a modal dialog is disabled: its close box does nothing.
  if (!self->sink_.modal()) {
    self->sink_.push({{Window::Graphics, MessageKind::Destroy}, -1, true});
  }
  return TRUE;  // the window goes once its procedure has seen the message
}

void GraphicsWindow::on_destroy(GtkWidget*, void* data) {
  auto* self = static_cast<GraphicsWindow*>(data);
  self->window_ = self->box_ = self->area_ = nullptr;
  self->menu_.reset();
}

int GraphicsWindow::on_key(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GraphicsWindow*>(data);
  auto message = key_message(Window::Graphics, *static_cast<GdkEventKey*>(event));
  if (!message) return FALSE;  // menu keys and unknown keys: GTK's own handling
  self->sink_.push(*message);
  return TRUE;
}

int GraphicsWindow::on_focus_out(GtkWidget*, void*, void* data) {
  static_cast<GraphicsWindow*>(data)->sink_.push({{Window::Graphics, MessageKind::FocusLost}});
  return FALSE;  // GTK keeps its own focus handling
}

int GraphicsWindow::on_button(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GraphicsWindow*>(data);
  const auto& button = *static_cast<GdkEventButton*>(event);
  // Only a left-button press; a double click's extra event is not a second press.
  if (button.type != GDK_BUTTON_PRESS || button.button != GDK_BUTTON_PRIMARY) return FALSE;
  const Box client = self->client_rect();
  const auto at = client_point(button.x, button.y, self->scale_, {client.right, client.bottom});
  if (at) self->sink_.push({{Window::Graphics, MessageKind::LButtonDown, at->x, at->y}});
  return TRUE;
}

int GraphicsWindow::on_draw(GtkWidget*, void* cr_pointer, void* data) {
  auto* self = static_cast<GraphicsWindow*>(data);
  auto* cr = static_cast<cairo_t*>(cr_pointer);
  // Every redraw is a repaint, which copies the picture again (the window procedure does that;
  // an unchanged picture costs one comparison).
  self->in_draw_ = true;
  self->sink_.send({Window::Graphics, MessageKind::Paint});
  self->in_draw_ = false;
  const Rgb background = kWindowBackground;
  cairo_set_source_rgb(cr, background.r / 255.0, background.g / 255.0, background.b / 255.0);
  cairo_paint(cr);
  const Box client = self->client_rect();
  cairo_scale(cr, self->scale_, self->scale_);
  cairo_rectangle(cr, 0, 0, client.right, client.bottom);
  cairo_clip(cr);
  cairo_set_source_surface(cr, self->surface_.surface(), 0, 0);
  // Enlarged (a larger window, or GDK_SCALE), every picture pixel becomes a sharp block.
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  return TRUE;
}

void GraphicsWindow::on_size_allocate(GtkWidget*, void* allocation, void* data) {
  auto* self = static_cast<GraphicsWindow*>(data);
  const auto& size = *static_cast<GtkAllocation*>(allocation);
  self->allocated_width_ = size.width;
  self->allocated_height_ = size.height;
  const Box client = self->client_rect();
  self->scale_ = whole_scale({size.width, size.height}, {client.right, client.bottom});
  if (client.right == self->reported_width_ && client.bottom == self->reported_height_) return;
  self->size_reported(client);
  self->sink_.send({Window::Graphics, MessageKind::Size, client.right, client.bottom});
}

}  // namespace zr590::platform::gtk

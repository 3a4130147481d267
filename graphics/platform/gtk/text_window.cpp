#include "platform/gtk/text_window.h"

#include "platform/gtk/toplevel.h"

#include <gtk/gtk.h>

#include <cstring>
#include <string>

#include "platform/gtk/key_translation.h"
#include "platform/text_encoding.h"

namespace zr590::platform::gtk {
namespace {
constexpr const char* kFixedFont = "Monospace 10";
constexpr int kTextLeft = 5;
}  // namespace

TextWindow::TextWindow(MessageSink& sink, const char* title, int x, int y, int width, int height)
    : sink_(sink),
      window_(gtk_window_new(GTK_WINDOW_TOPLEVEL)),
      area_(gtk_drawing_area_new()),
      layout_(pango_layout_new(pango_font_map_create_context(pango_cairo_font_map_get_default()))),
      width_(width),
      height_(height) {
  // The layout keeps the context alive; drop the reference create_context gave.
  g_object_unref(pango_layout_get_context(layout_));
  PangoFontDescription* font = pango_font_description_from_string(kFixedFont);
  pango_layout_set_font_description(layout_, font);
  // Line feeds and other control characters are shown as glyphs on the one line.
  pango_layout_set_single_paragraph_mode(layout_, TRUE);
  PangoFontMetrics* metrics =
      pango_context_get_metrics(pango_layout_get_context(layout_), font, nullptr);
  line_height_ = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics) +
                                   pango_font_metrics_get_descent(metrics));
  pango_font_metrics_unref(metrics);
  pango_font_description_free(font);

  GtkWindow* window = GTK_WINDOW(window_);
  gtk_window_set_title(window, title);
  gtk_window_set_default_size(window, width, height);
  gtk_window_move(window, x, y);
  gtk_container_add(GTK_CONTAINER(window_), area_);
  gtk_widget_show(area_);
  make_surface(width, height);

  g_signal_connect(window_, "delete-event", G_CALLBACK(on_delete), this);
  g_signal_connect(window_, "destroy", G_CALLBACK(on_destroy), this);
  g_signal_connect(window_, "map", G_CALLBACK(on_map), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(on_key), this);
  g_signal_connect(window_, "key-release-event", G_CALLBACK(on_key), this);
  g_signal_connect(window_, "focus-out-event", G_CALLBACK(on_focus_out), this);
  g_signal_connect(area_, "draw", G_CALLBACK(on_draw), this);
  g_signal_connect(area_, "size-allocate", G_CALLBACK(on_size_allocate), this);
}

TextWindow::~TextWindow() {
  destroy();
  g_object_unref(layout_);
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

GtkWindow* TextWindow::gtk_window() const {
  return window_ != nullptr ? GTK_WINDOW(window_) : nullptr;
}

void TextWindow::make_surface(int width, int height) {
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
  width_ = width;
  height_ = height;
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
}

void TextWindow::put_line(std::string_view line) {
  if (window_ == nullptr) return;
  const int h = line_height_;
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  if (h < height_) {
    std::memmove(data, data + static_cast<std::size_t>(h) * stride,
                 static_cast<std::size_t>(height_ - h) * stride);
  }
  cairo_surface_mark_dirty(surface_);

  cairo_t* cr = cairo_create(surface_);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, 0, height_ - h, width_, h);
  cairo_fill(cr);
  std::string text = display_utf8(line);
  pango_layout_set_text(layout_, text.data(), static_cast<int>(text.size()));
  pango_cairo_update_layout(cr, layout_);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, kTextLeft, height_ - h);
  pango_cairo_show_layout(cr, layout_);
  cairo_destroy(cr);
  if (!in_draw_) gtk_widget_queue_draw(area_);
}

int TextWindow::show(bool show) { return show_toplevel(window_, show); }

void TextWindow::destroy() {
  if (window_ != nullptr) gtk_widget_destroy(window_);
}

int TextWindow::on_delete(GtkWidget*, void*, void* data) {
  auto* self = static_cast<TextWindow*>(data);
  if (self->close_hides_) {
    self->show(false);
  } else {
    self->sink_.push({{Window::Text, MessageKind::Destroy}, -1, true});
  }
  return TRUE;
}

void TextWindow::on_destroy(GtkWidget*, void* data) {
  auto* self = static_cast<TextWindow*>(data);
  self->window_ = self->area_ = nullptr;
}

void TextWindow::on_map(GtkWidget*, void* data) {
  static_cast<TextWindow*>(data)->needs_replay_ = true;
}

int TextWindow::on_key(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<TextWindow*>(data);
  auto message = key_message(Window::Text, *static_cast<GdkEventKey*>(event));
  if (!message) return FALSE;
  self->sink_.push(*message);
  return TRUE;
}

int TextWindow::on_focus_out(GtkWidget*, void*, void* data) {
  static_cast<TextWindow*>(data)->sink_.push({{Window::Text, MessageKind::FocusLost}});
  return FALSE;  // GTK keeps its own focus handling
}

int TextWindow::on_draw(GtkWidget*, void* cr_pointer, void* data) {
  auto* self = static_cast<TextWindow*>(data);
  if (self->needs_replay_) {
    // Erase with the background, then the window procedure draws its lines again.
    self->needs_replay_ = false;
    self->make_surface(self->width_, self->height_);
    self->in_draw_ = true;
    self->sink_.send({Window::Text, MessageKind::Paint});
    self->in_draw_ = false;
  }
  auto* cr = static_cast<cairo_t*>(cr_pointer);
  cairo_set_source_surface(cr, self->surface_, 0, 0);
  cairo_paint(cr);
  return TRUE;
}

void TextWindow::on_size_allocate(GtkWidget*, void* allocation, void* data) {
  auto* self = static_cast<TextWindow*>(data);
  const auto& size = *static_cast<GtkAllocation*>(allocation);
  if (size.width == self->width_ && size.height == self->height_) return;
  self->make_surface(size.width, size.height);
  self->needs_replay_ = true;
  self->sink_.send({Window::Text, MessageKind::Size, size.width, size.height});
}

}  // namespace zr590::platform::gtk

#include "platform/gtk/gtk_platform.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>

#include "platform/gtk/line_dialog.h"
#include "platform/text_encoding.h"

namespace zr590::platform::gtk {

GtkPlatform::GtkPlatform() {
  // Asked to end (kill, the session ending, Ctrl+C in the terminal): as the close box does, so
  // that the program ends the way it always ends and keeps what it must keep.
  int signals[] = {SIGTERM, SIGHUP, SIGINT};
  for (std::size_t i = 0; i < std::size(signals); ++i) {
    termination_sources_[i] = g_unix_signal_add(signals[i], on_termination, this);
  }
}

int GtkPlatform::on_termination(void* data) {
  auto* self = static_cast<GtkPlatform*>(data);
  // A modal dialog first has its answer; the program ends after it.
  if (self->modal_) {
    self->termination_pending_ = true;
  } else {
    self->push({{Window::Graphics, MessageKind::Destroy}, -1, true});
  }
  return G_SOURCE_CONTINUE;
}

GtkPlatform::~GtkPlatform() {
  for (unsigned source : termination_sources_) {
    if (source != 0) g_source_remove(source);
  }
  for (auto& [id, timer] : timers_) g_source_remove(timer->source);
  timers_.clear();
  // The windows go without telling their procedures: the program is over.
  graphics_.reset();
  text_.reset();
}

Extent GtkPlatform::screen_size() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  GdkRectangle area{0, 0, kPictureWidth, kPictureHeight};
  if (monitor != nullptr) gdk_monitor_get_geometry(monitor, &area);
  return {area.width, area.height};
}

void GtkPlatform::create_window(Window window, const char* title, int x, int y, int width,
                                int height) {
  if (window == Window::Graphics) {
    graphics_ = std::make_unique<GraphicsWindow>(sink(), title, x, y, width, height);
    send({Window::Graphics, MessageKind::Create});
    // GTK lays the window out only when it is shown; until then the client size follows from
    // the menu bar's height. Should the real one differ, another Size message tells it.
    Box client = graphics_->client_rect();
    graphics_->size_reported(client);
    send({Window::Graphics, MessageKind::Size, client.right, client.bottom});
  } else {
    text_ = std::make_unique<TextWindow>(sink(), title, x, y, width, height);
    text_->set_close_hides(text_close_hides_);
    send({Window::Text, MessageKind::Create});
    Box client = text_->client_rect();
    send({Window::Text, MessageKind::Size, client.right, client.bottom});
  }
}

void GtkPlatform::create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) {
  if (graphics_) graphics_->build_menu(title, items, count);
}

void GtkPlatform::set_menu_check(int command_id, bool checked) {
  if (graphics_) graphics_->set_menu_check(command_id, checked);
}

void GtkPlatform::copy_picture_to_window() {
  // A released drawing context copies nothing, as a block copy to it would.
  if (graphics_ && window_dc_) graphics_->copy_from(picture_.surface());
}

Box GtkPlatform::client_rect(Window window) {
  if (window == Window::Graphics) return graphics_ ? graphics_->client_rect() : Box{0, 0, 0, 0};
  return text_ ? text_->client_rect() : Box{0, 0, 0, 0};
}

int GtkPlatform::show_window(Window window, bool show) {
  if (window == Window::Graphics) return graphics_ ? graphics_->show(show) : 0;
  return text_ ? text_->show(show) : 0;
}

void GtkPlatform::start_timer(int id, int period_ms) {
  kill_timer(id);
  auto timer = std::make_unique<Timer>(Timer{this, id, 0});
  timer->source = g_timeout_add(static_cast<guint>(period_ms), on_timer, timer.get());
  timers_[id] = std::move(timer);
}

void GtkPlatform::kill_timer(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  g_source_remove(it->second->source);
  timers_.erase(it);
  queue().timer_stopped(id);
}

int GtkPlatform::on_timer(void* data) {
  auto* timer = static_cast<Timer*>(data);
  GtkPlatform* self = timer->platform;
  self->queue().timer_fired(timer->id);
  if (self->modal_) self->dispatch_all_but_quit();
  return G_SOURCE_CONTINUE;
}

void GtkPlatform::push(const Input& input) {
  queue().push_input(input);
  // A modal dialog's loop hands messages out as they come.
  if (modal_) dispatch_all_but_quit();
}

bool GtkPlatform::window_exists(Window window) {
  if (window == Window::Graphics) return graphics_ && graphics_->exists();
  return text_ && text_->exists();
}

void GtkPlatform::destroy_window(Window window) {
  if (window == Window::Graphics && graphics_) graphics_->destroy();
  if (window == Window::Text && text_) text_->destroy();
}

void GtkPlatform::pump_events(bool block) {
  // Blocking, GLib sleeps in the main loop until GTK or the timer has something.
  g_main_context_iteration(nullptr, block ? TRUE : FALSE);
}

void GtkPlatform::set_text_close_hides(bool hides) {
  text_close_hides_ = hides;
  if (text_) text_->set_close_hides(hides);
}

void GtkPlatform::text_put_line(std::string_view line) {
  if (text_) text_->put_line(line);
}

int GtkPlatform::line_dialog(const DialogPrompt& prompt, std::string& reply) {
  modal_ = true;
  // The dialog's loop takes what is already queued too; a click waiting there reaches the
  // window procedure now, and the next wait discards it.
  dispatch_all_but_quit();
  GtkWindow* owner = graphics_ ? graphics_->gtk_window() : nullptr;
  std::string typed = run_line_dialog(owner, prompt.padded(), dialog_opened);
  modal_ = false;
  if (termination_pending_) {
    termination_pending_ = false;
    push({{Window::Graphics, MessageKind::Destroy}, -1, true});
  }
  reply = std::move(typed);
  return 1;
}

}  // namespace zr590::platform::gtk

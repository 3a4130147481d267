// The conformance suite against the GTK backend on an X server (tests run it under Xvfb): the
// adapter sends GTK the events a user's mouse and keyboard make, types into the dialog, and
// reads what the window shows from the surface the window paints.
#include <gtk/gtk.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "../gui/gtk_key_event.h"
#include "contract.h"
#include "platform/gtk/gtk_platform.h"

namespace zr590::conformance {
namespace {

using platform::gtk::GtkPlatform;

double milliseconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

class GtkAdapter final : public Adapter {
 public:
  platform::Platform& start() override {
    platform_ = std::make_unique<GtkPlatform>();
    return *platform_;
  }
  void finish() override {
    platform_.reset();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
  }

  void click(int x, int y) override {
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE}) {
      GtkWidget* area = platform_->graphics_window()->drawing_area();
      GdkEvent* event = gdk_event_new(type);
      event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
      event->button.button = GDK_BUTTON_PRIMARY;
      event->button.x = x;
      event->button.y = y;
      gdk_event_set_device(event, gdk_seat_get_pointer(seat()));
      gtk_widget_event(area, event);
      gdk_event_free(event);
    }
  }
  void key(int key_code, bool down) override {
    const bool ctrl = key_code == platform::kCtrlKey;
    const guint keyval =
        ctrl ? GDK_KEY_Control_L : gdk_keyval_to_lower(static_cast<guint>(key_code));
    GtkWidget* window = GTK_WIDGET(platform_->graphics_window()->gtk_window());
    zr590::testing::send_key(window, down, keyval, ctrl_ ? GDK_CONTROL_MASK : 0);
    if (ctrl) ctrl_ = down;
  }
  void close_box() override { gtk_window_close(platform_->graphics_window()->gtk_window()); }
  bool text_close_box() override {
    gtk_window_close(platform_->text_window()->gtk_window());
    return true;
  }
  void answer_dialog(const std::string& text) override {
    platform_->dialog_opened = [text](GtkWidget* dialog) {
      GList* children = gtk_container_get_children(
          GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))));
      for (GList* child = children; child != nullptr; child = child->next) {
        if (!GTK_IS_ENTRY(child->data)) continue;
        gtk_entry_set_text(GTK_ENTRY(child->data), text.c_str());
        gtk_widget_activate(GTK_WIDGET(child->data));  // Enter
      }
      g_list_free(children);
    };
  }

  void let_time_pass(int ms) override {
    // The program is busy, but GLib's timer sources still fire into the queue when the main
    // loop turns, as the window system's timers go on while a program computes.
    const double end = now_ms() + ms;
    while (now_ms() < end) {
      while (g_main_context_iteration(nullptr, FALSE)) {
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  double now_ms() override { return milliseconds(CLOCK_MONOTONIC); }
  double cpu_ms() override { return milliseconds(CLOCK_THREAD_CPUTIME_ID); }
  platform::Rgb window_pixel(int x, int y) override {
    cairo_surface_t* shown = platform_->graphics_window()->surface().surface();
    cairo_surface_flush(shown);
    const unsigned char* row =
        cairo_image_surface_get_data(shown) + y * cairo_image_surface_get_stride(shown);
    const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
    return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
            static_cast<std::uint8_t>(pixel)};
  }

 private:
  static GdkSeat* seat() { return gdk_display_get_default_seat(gdk_display_get_default()); }

  std::unique_ptr<GtkPlatform> platform_;
  bool ctrl_ = false;
};

}  // namespace
}  // namespace zr590::conformance

int main(int argc, char** argv) {
  if (!gtk_init_check(nullptr, nullptr)) {
    std::fputs("conformance: no display\n", stderr);
    return 1;
  }
  zr590::conformance::GtkAdapter adapter;
  return zr590::conformance::run(adapter, argc, argv);
}

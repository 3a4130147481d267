// The GTK 3 backend: real windows, a menu bar, a GLib timer and a modal dialog, with the
// picture on a Cairo image surface. GTK's events become the library's messages, which wait in
// a queue until the library takes them one at a time and hands them to a window procedure.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/cairo/cairo_picture.h"
#include "platform/gtk/graphics_window.h"
#include "platform/gtk/message_queue.h"
#include "platform/gtk/message_sink.h"
#include "platform/gtk/text_window.h"
#include "platform/platform.h"

typedef struct _GtkWidget GtkWidget;

namespace zr590::platform::gtk {

class GtkPlatform final : public Platform, private MessageSink {
 public:
  using Procedure = std::function<void(const Message&)>;
  // gtk_init must have succeeded. `procedure` receives every dispatched message; by default
  // the library's window procedures.
  explicit GtkPlatform(Procedure procedure = {});
  ~GtkPlatform() override;

  // --- Platform ---
  Extent screen_size() override;
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const char* title, const MenuItem* items, std::size_t count) override;
  void set_menu_check(int command_id, bool checked) override;
  Picture& picture() override { return picture_; }
  void copy_picture_to_window() override;
  void release_window_dc() override { window_dc_ = false; }
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
  void set_text_close_hides(bool hides) override;
  int line_dialog(std::string_view prompt, std::string_view shown_prompt,
                  std::string& reply) override;

  // --- for tests ---
  GraphicsWindow* graphics_window() const { return graphics_.get(); }
  TextWindow* text_window() const { return text_.get(); }
  // Called once a line dialog is up, with the dialog (tests type into it from here).
  std::function<void(GtkWidget* dialog)> dialog_opened;

 private:
  // MessageSink
  void deliver(const QueuedMessage& message) override;
  void send(const Message& message) override;
  bool modal() const override { return modal_; }
  MessageSink& sink() { return *this; }

  bool exists(Window window) const;
  // Translates (a key-down's character follows it) and dispatches one message.
  void dispatch(const QueuedMessage& message);
  // Takes and dispatches every queued message but the quit, as a modal loop does.
  void dispatch_all_but_quit();
  static int on_timer(void* data);

  Procedure procedure_;
  CairoPicture picture_;
  std::unique_ptr<GraphicsWindow> graphics_;
  std::unique_ptr<TextWindow> text_;
  bool text_close_hides_ = false;
  MessageQueue queue_;
  struct Timer {
    GtkPlatform* platform;
    int id;
    unsigned source;
  };
  std::map<int, std::unique_ptr<Timer>> timers_;
  bool window_dc_ = true;
  bool modal_ = false;
};

}  // namespace zr590::platform::gtk

// The web backend: the program runs in a browser page, compiled to WebAssembly with
// emscripten. Start with this file; web_main.cpp is the process entry and the page's way in,
// page.h the calls out to the page (zr590-page.js).
//
// Checklist (as every backend's header):
//   [x] clipping         the web picture clips, so the library redraws only changes
//   [ ] own queue        the page's input goes into the library's MessageQueue
//   [x] close box hides  the text panel's close box hides it when the library asks
//   [x] UTF-8 text       text_bytes() is the default, UTF-8
//   [x] modal loop       the dialog waits in the page with ASYNCIFY, ticks dispatched meanwhile
//   [x] timer            the page's interval timer; the wait sleeps in the browser's event loop
//   [x] files            the working folder kept in the browser's IndexedDB (zr590-files.js)
//
// Implemented:
// - the graphics window as a canvas of the picture's size showing the whole picture; clicks,
//   keys (the same virtual-key codes and characters as GTK), the "Run" menu as an HTML menu bar,
//   the timer; the page's input goes into the library's queue as it comes, and the blocking
//   event wait and the modal line dialog stay blocking calls (ASYNCIFY);
// - the text window as a panel of the last 25 lines, shown and hidden as the library says;
// - the picture: the shared raster for figures and thin lines, stb_truetype text and our own
//   wide pens (raster/raster_picture.h), all drawn within a clip, so retained frames redraw only
//   damage;
// - the working folder kept in the browser (IndexedDB), listed beside the canvas with a
//   download link per file and an upload control;
// - sessions fed from a message file (tests), run by the same ScriptedSession as the headless
//   runner's.
// Limitations:
// - there is no close box: closing the tab ends the program without a Quit event;
// - text and wide pens differ in detail from the Cairo picture (other rasterisers);
// - the browser keeps some Ctrl shortcuts for itself (README: the web pages);
// Dependencies: emscripten (ASYNCIFY, IDBFS), libstb-dev (stb_truetype).
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/raster/raster_picture.h"
#include "platform/scripted_session.h"
#include "platform/web/noting_picture.h"
#include "platform/web/shown_frame.h"
#include "platform/web/web_keys.h"

namespace zr590::platform::web {

class WebPlatform final : public Platform {
 public:
  // The page's input goes to the newest platform while it lives.
  WebPlatform();
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;
  // Where the page's input goes now; null while no platform lives.
  static WebPlatform* page_input() { return page_input_; }

  // Feeds the program from a message file instead of the page: ticks are time passing,
  // `reply` lines answer the dialogs, the transcript goes to the page, and once the messages
  // are used up and the program waits, the graphics window's close box is clicked. False with
  // `error` for a bad file.
  bool start_session(std::string_view messages, std::string& error);
  // The program has returned with `status`: its last picture stays shown and its files saved.
  void program_ended(int status);

  // --- input from the page, into the library's queue ---
  void mouse_down(int x, int y);
  // Returns whether the program acts on the key (the browser must then not).
  bool key(Window window, bool press, const KeyEvent& event);
  void command(int id);
  void timer(int id);
  // The page lost the keyboard: a key held now may be released unseen.
  void focus_lost();
  // The text panel's close box: it hides the panel, or, unless the program asked for that,
  // destroys the text window.
  void close_text();

  // --- Platform ---
  Extent screen_size() override;
  void create_window(Window window, const char* title, int x, int y, int width,
                     int height) override;
  void create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) override;
  void set_menu_check(int command_id, bool checked) override;
  Picture& picture() override { return noting_ ? static_cast<Picture&>(*noting_) : picture_; }
  void copy_picture_to_window() override;
  void release_window_dc() override { window_dc_ = false; }
  Box client_rect(Window window) override;
  int show_window(Window window, bool show) override;
  void start_timer(int id, int period_ms) override;
  void kill_timer(int id) override;
  void text_put_line(std::string_view line) override;
  void set_text_close_hides(bool hides) override { text_close_hides_ = hides; }
  int line_dialog(const DialogPrompt& prompt, std::string& reply) override;
  bool window_exists(Window window) override { return exists_[index(window)]; }

 protected:
  void pump_events(bool block) override;
  void destroy_window(Window window) override;

 private:
  static int index(Window window) { return window == Window::Graphics ? 0 : 1; }
  // Input from the page; a session takes its input from its file only.
  void arrive(const Input& input);
  // A session's input is used up: the close box.
  void session_used_up();
  // What changed since the last copy, or with `whole` the whole picture.
  void present_changes(bool whole);

  RasterPicture picture_;
  std::optional<NotingPicture> noting_;     // a session's, set before the program draws
  ShownFrame shown_;                        // what the canvas shows
  std::optional<ScriptedSession> session_;  // fed from a message file (tests)
  bool exists_[2] = {false, false};
  bool visible_[2] = {false, false};
  bool window_dc_ = true;
  bool text_close_hides_ = false;
  std::set<int> timers_;
  std::set<int> ctrl_shortcuts_;  // the menu's Ctrl+letter keys
  bool ended_ = false;
  double busy_since_ = 0;  // when the program last slept, in ms
  WebPlatform* previous_input_;
  static inline WebPlatform* page_input_ = nullptr;
};

}  // namespace zr590::platform::web

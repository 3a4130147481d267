#include "platform/headless/headless_platform.h"

#include <iostream>

#include "line_input.h"
#include "platform/text_encoding.h"

namespace zr590::platform {
namespace {
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
int index(Window window) { return window == Window::Graphics ? 0 : 1; }

// A transcript line stays one line whatever the text holds: line feed, carriage return and
// backslash are written as \n, \r and \\.
std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}
}  // namespace

HeadlessPlatform::HeadlessPlatform() {
  // The script is used up: the user closes the window. Should the program wait on after
  // that, only the quit message is left to give it.
  on_queue_empty = [this] {
    if (exists_[0]) {
      close_graphics_window();
    } else {
      post_quit(0);
    }
  };
}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::push_message(const Message& message) {
  queue_.push_back({false, message});
}

void HeadlessPlatform::push_close() { queue_.push_back({true, {Window::Graphics, MessageKind::Destroy}}); }

void HeadlessPlatform::push_reply(std::string reply) { replies_.push_back(std::move(reply)); }

bool HeadlessPlatform::visible(Window window) const { return visible_[index(window)]; }
bool HeadlessPlatform::exists(Window window) const { return exists_[index(window)]; }

bool HeadlessPlatform::menu_checked(int command_id) const {
  auto it = checks_.find(command_id);
  return it != checks_.end() && it->second;
}

void HeadlessPlatform::close_graphics_window() {
  if (!exists_[0]) return;
  // What the default window handling does with the close box: destroy the window.
  dispatch({Window::Graphics, MessageKind::Destroy});
  exists_[0] = visible_[0] = false;
}

void HeadlessPlatform::resize_client(int width, int height) {
  client_width_ = width;
  client_height_ = height;
  if (exists_[0]) dispatch({Window::Graphics, MessageKind::Size, width, height});
}

Extent HeadlessPlatform::screen_size() { return {kScreenWidth, kScreenHeight}; }

void HeadlessPlatform::create_window(Window window, const char*, int, int, int, int) {
  exists_[index(window)] = true;
  dispatch({window, MessageKind::Create});
  dispatch({window, MessageKind::Size, client_width_, client_height_});
}

void HeadlessPlatform::create_menu(const char* title, const MenuItem* items, std::size_t count) {
  menu_title_ = title;
  menu_.assign(items, items + count);
  for (const MenuItem& item : menu_) {
    if (item.text != nullptr && item.id != 0) checks_[item.id] = item.checked;
  }
  window_dc_ = true;
}

void HeadlessPlatform::set_menu_check(int command_id, bool checked) {
  checks_[command_id] = checked;
}

void HeadlessPlatform::copy_picture_to_window() {
  window_.copy_from(picture_);
  ++copies_;
}

Box HeadlessPlatform::client_rect(Window window) {
  if (window == Window::Graphics) return {0, 0, client_width_, client_height_};
  return {0, 0, kScreenWidth, kScreenHeight / 3};
}

int HeadlessPlatform::show_window(Window window, bool show) {
  bool was = visible_[index(window)];
  if (exists_[index(window)]) visible_[index(window)] = show;
  return was ? 1 : 0;
}

void HeadlessPlatform::start_timer(int, int) { timer_running_ = true; }
void HeadlessPlatform::kill_timer(int) { timer_running_ = false; }

void HeadlessPlatform::post_quit(int) { quit_posted_ = true; }

void HeadlessPlatform::post_message(const Message& message) { posted_.push_back(message); }

bool HeadlessPlatform::tick_at_head() const {
  return !queue_.empty() && !queue_.front().close &&
         queue_.front().message.kind == MessageKind::Timer;
}

bool HeadlessPlatform::has_message() {
  // A timer tick is time passing: it arrives only once the program waits for it.
  return quit_posted_ || !posted_.empty() || (!queue_.empty() && (!tick_at_head() || tick_due_));
}

void HeadlessPlatform::wait_message() {
  polls_without_input_ = 0;
  if (has_message()) return;
  if (tick_at_head()) {
    tick_due_ = true;
    return;
  }
  // Nothing will ever arrive once the script is used up: that is the user closing the window.
  if (on_queue_empty) on_queue_empty();
}

Take HeadlessPlatform::take_message() {
  // Messages the program posted come first, then the quit request, then input.
  if (!posted_.empty()) {
    Message message = posted_.front();
    posted_.pop_front();
    dispatch(message);
    return Take::Dispatched;
  }
  if (quit_posted_) {
    quit_posted_ = false;
    return Take::Quit;
  }
  if (queue_.empty() || (tick_at_head() && !tick_due_)) {
    // A script line read is progress too: only a single line whose run would never end (a
    // periodic count of 2^31) keeps the count rising.
    if (script_lines_read() != script_lines_seen_) {
      script_lines_seen_ = script_lines_read();
      polls_without_input_ = 0;
    }
    if (++polls_without_input_ >= max_polls_without_input) {
      polls_without_input_ = 0;
      std::cerr << "headless: no input taken in " << max_polls_without_input
                << " polls in a row while no script line was read (a periodic run without end?);"
                   " closing the window\n";
      if (on_queue_empty) on_queue_empty();
    }
    return Take::Nothing;
  }
  polls_without_input_ = 0;
  tick_due_ = false;
  Queued next = queue_.front();
  queue_.pop_front();
  if (next.close) {
    close_graphics_window();
  } else {
    dispatch(next.message);
  }
  return Take::Dispatched;
}

void HeadlessPlatform::dispatch(const Message& message) {
  if (!exists_[index(message.window)]) return;
  // A destroyed window's timer sends nothing more.
  if (message.kind == MessageKind::Timer && !timer_running_) return;
  if (message.window == Window::Graphics) {
    graphics_window_proc(message);
  } else {
    text_window_proc(message);
  }
}

void HeadlessPlatform::text_put_line(std::string_view line) {
  text_lines_.emplace_back(line);
  if (transcript_ != nullptr) *transcript_ << "text: " << escaped(line) << '\n';
}

int HeadlessPlatform::line_dialog(std::string_view prompt, std::string_view, std::string& reply) {
  dialog_prompts_.emplace_back(prompt);
  if (transcript_ != nullptr) *transcript_ << "dialog: " << escaped(prompt) << '\n';
  if (during_dialog) during_dialog();
  if (replies_.empty()) {
    reply.clear();
  } else {
    reply = std::move(replies_.front());
    replies_.pop_front();
  }
  // The dialog's line box hands over at most this many bytes, in whole UTF-8 characters.
  reply.resize(utf8_prefix(reply, kReplyLength).bytes);
  if (transcript_ != nullptr) *transcript_ << "reply: " << escaped(reply) << '\n';
  return 1;
}

}  // namespace zr590::platform

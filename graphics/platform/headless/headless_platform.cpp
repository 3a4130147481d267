#include "platform/headless/headless_platform.h"

#include "platform/text_encoding.h"

namespace zr590::platform {
namespace {
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
}  // namespace

HeadlessPlatform::HeadlessPlatform() {
  // The script is used up: the user closes the window. Should the program wait on after
  // that, only the quit message is left to give it.
  on_queue_empty = [this] {
    if (exists_[index(Window::Graphics)]) {
      queue().push_input(ScriptedSession::close_box());
    } else {
      post_quit(0);
    }
  };
}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::set_transcript(std::ostream* out) {
  if (out == nullptr) return script_.set_transcript(nullptr);
  script_.set_transcript([out](const std::string& line) { *out << line << '\n'; });
}

bool HeadlessPlatform::visible(Window window) const {
  return visible_[index(window)];
}

bool HeadlessPlatform::window_exists(Window window) {
  return exists_[index(window)];
}

bool HeadlessPlatform::menu_checked(int command_id) const {
  auto it = checks_.find(command_id);
  return it != checks_.end() && it->second;
}

void HeadlessPlatform::resize_client(int width, int height) {
  client_width_ = width;
  client_height_ = height;
  if (exists_[index(Window::Graphics)]) {
    deliver({Window::Graphics, MessageKind::Size, width, height});
  }
}

Extent HeadlessPlatform::screen_size() {
  return {kScreenWidth, kScreenHeight};
}

void HeadlessPlatform::create_window(Window window, const char*, int, int, int, int) {
  // A new library session: the polls of an earlier one must not count towards its limit.
  if (window == Window::Graphics) script_.forget_polls();
  exists_[index(window)] = true;
  deliver_created(window);
}

void HeadlessPlatform::destroy_window(Window window) {
  exists_[index(window)] = visible_[index(window)] = false;
}

void HeadlessPlatform::create_menu(const MenuItem& title, const MenuItem* items,
                                   std::size_t count) {
  menu_title_ = title;
  menu_.assign(items, items + count);
  for (const MenuItem& item : menu_) {
    if (item.label != nullptr && item.id != 0) checks_[item.id] = item.checked;
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
  const bool was = visible_[index(window)];
  if (exists_[index(window)]) visible_[index(window)] = show;
  return was ? 1 : 0;
}

void HeadlessPlatform::start_timer(int id, int period_ms) {
  script_.start_timer(id, period_ms);
}

void HeadlessPlatform::kill_timer(int id) {
  script_.kill_timer(id);
}

void HeadlessPlatform::pump_events(bool block) {
  script_.pump(block, [this] {
    if (on_queue_empty) on_queue_empty();
  });
}

void HeadlessPlatform::text_put_line(std::string_view line) {
  text_lines_.emplace_back(line);
  // As a window shows it: bytes that are no UTF-8 as their Latin-1 characters.
  script_.text_line(display_utf8(line));
}

int HeadlessPlatform::line_dialog(const DialogPrompt& prompt, std::string& reply) {
  dialog_prompts_.push_back(prompt.text);
  reply = script_.dialog(prompt.text);
  if (during_dialog) during_dialog();
  script_.replied(reply);
  return 1;
}

}  // namespace zr590::platform

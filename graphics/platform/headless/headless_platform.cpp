#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <iostream>

#include "platform/headless/message_file.h"
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
      queue().push_input({{Window::Graphics, MessageKind::Destroy}, -1, true});
    } else {
      post_quit(0);
    }
  };
}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::push_input(const Input& input) {
  script_.push_back(input);
}

void HeadlessPlatform::push_close() {
  script_.push_back({{Window::Graphics, MessageKind::Destroy}, -1, true});
}

void HeadlessPlatform::push_reply(std::string reply) {
  replies_.push_back(std::move(reply));
}

void HeadlessPlatform::let_time_pass(long ms) {
  elapsed_ms_ += ms;
  for (auto& [id, timer] : timers_) {
    if (timer.due_ms > elapsed_ms_) continue;
    queue().timer_fired(id);
    // Ticks not taken merge: the next one is a whole period after the last one due.
    timer.due_ms +=
        (elapsed_ms_ - timer.due_ms) / timer.period_ms * timer.period_ms + timer.period_ms;
  }
}

void HeadlessPlatform::pass_time_to_next_tick() {
  if (timers_.empty()) return;
  long next = timers_.begin()->second.due_ms;
  for (const auto& [id, timer] : timers_) next = std::min(next, timer.due_ms);
  let_time_pass(next - elapsed_ms_);
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
  if (window == Window::Graphics) polls_without_input_ = 0;
  exists_[index(window)] = true;
  deliver({window, MessageKind::Create});
  const Box client = client_rect(window);
  deliver({window, MessageKind::Size, client.right, client.bottom});
}

void HeadlessPlatform::destroy_window(Window window) {
  exists_[index(window)] = visible_[index(window)] = false;
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
  const bool was = visible_[index(window)];
  if (exists_[index(window)]) visible_[index(window)] = show;
  return was ? 1 : 0;
}

void HeadlessPlatform::start_timer(int id, int period_ms) {
  // A period below 1 ms ticks every millisecond.
  const long period = std::max(period_ms, 1);
  timers_[id] = {period, elapsed_ms_ + period};
}

void HeadlessPlatform::kill_timer(int id) {
  timers_.erase(id);
  queue().timer_stopped(id);
}

bool HeadlessPlatform::tick_at_head() const {
  return !script_.empty() && script_.front().message.kind == MessageKind::Timer;
}

void HeadlessPlatform::pump_events(bool block) {
  // Scripted input arrives up to the next tick: a tick is time passing, which only a wait
  // lets pass.
  while (!script_.empty() && !tick_at_head()) {
    queue().push_input(script_.front());
    script_.pop_front();
  }
  if (!block) {
    if (!queue().ready()) count_idle_poll();
    return;
  }
  polls_without_input_ = 0;
  if (queue().ready()) return;
  if (tick_at_head()) {
    script_.pop_front();
    pass_time_to_next_tick();
    return;
  }
  // Nothing will ever arrive once the script is used up: that is the user closing the window.
  if (on_queue_empty) on_queue_empty();
}

void HeadlessPlatform::count_idle_poll() {
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
}

void HeadlessPlatform::text_put_line(std::string_view line) {
  text_lines_.emplace_back(line);
  // As a window shows it: bytes that are no UTF-8 as their Latin-1 characters.
  if (transcript_ != nullptr)
    *transcript_ << "text: " << transcript_text(display_utf8(line)) << '\n';
}

int HeadlessPlatform::line_dialog(std::string_view prompt, std::string_view, std::string& reply) {
  dialog_prompts_.emplace_back(prompt);
  if (transcript_ != nullptr) {
    // What the dialog shows: the prompt's first characters, without the padding.
    const std::string shown = display_utf8(prompt);
    const std::size_t kept = utf8_prefix(shown, shown.size(), kPromptLength).bytes;
    *transcript_ << "dialog: " << transcript_text(std::string_view(shown).substr(0, kept)) << '\n';
  }
  if (during_dialog) during_dialog();
  if (replies_.empty()) {
    reply.clear();
  } else {
    reply = std::move(replies_.front());
    replies_.pop_front();
  }
  // The dialog's line box hands over at most this many bytes, in whole UTF-8 characters.
  reply.resize(utf8_prefix(reply, kReplyLength).bytes);
  if (transcript_ != nullptr) *transcript_ << "reply: " << transcript_text(reply) << '\n';
  return 1;
}

}  // namespace zr590::platform

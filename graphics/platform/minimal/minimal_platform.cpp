#include "platform/minimal/minimal_platform.h"

#include <thread>

namespace zr590::platform {

void MinimalPlatform::create_window(Window window, const char*, int, int, int, int) {
  exists_[index(window)] = true;
  deliver_created(window);
}

void MinimalPlatform::destroy_window(Window window) {
  exists_[index(window)] = visible_[index(window)] = false;
}

int MinimalPlatform::show_window(Window window, bool show) {
  const bool was = visible_[index(window)];
  if (exists_[index(window)]) visible_[index(window)] = show;
  return was ? 1 : 0;
}

Box MinimalPlatform::client_rect(Window window) {
  if (window == Window::Graphics) return {0, 0, kPictureWidth, kPictureHeight};
  return {0, 0, screen_size().width, screen_size().height / 3};
}

void MinimalPlatform::copy_picture_to_window() {
  if (window_dc_) window_.copy_from(picture_);
}

void MinimalPlatform::start_timer(int id, int period_ms) {
  timer_id_ = id;
  period_ = std::chrono::milliseconds(period_ms);
  next_tick_ = Clock::now() + period_;
}

void MinimalPlatform::kill_timer(int id) {
  if (id != timer_id_) return;
  timer_id_ = 0;
  queue().timer_stopped(id);
}

void MinimalPlatform::pump_events(bool block) {
  if (timer_id_ == 0) {
    if (block) post_quit(0);  // nothing can come
    return;
  }
  if (block) std::this_thread::sleep_until(next_tick_);
  const Clock::time_point now = Clock::now();
  if (now < next_tick_) return;
  queue().timer_fired(timer_id_);  // ticks missed while busy merge into one
  while (next_tick_ <= now) next_tick_ += period_;
}

int MinimalPlatform::line_dialog(const DialogPrompt&, std::string& reply) {
  reply.clear();
  if (!answers_.empty()) {
    reply = std::move(answers_.front());
    answers_.pop_front();
  }
  return 1;
}

}  // namespace zr590::platform

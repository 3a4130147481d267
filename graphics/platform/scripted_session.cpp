#include "platform/scripted_session.h"

#include <algorithm>
#include <iostream>

#include "platform/text_encoding.h"

namespace zr590::platform {

void ScriptedSession::load(ScriptedInput input) {
  for (const ScriptedInput::Entry& entry : input.entries) {
    script_.push_back({entry.message, -1, entry.kind == ScriptedInput::Close});
  }
  for (std::string& reply : input.replies) replies_.push_back(std::move(reply));
}

bool ScriptedSession::tick_at_head() const {
  return !script_.empty() && script_.front().message.kind == MessageKind::Timer;
}

void ScriptedSession::pump(bool block, const std::function<void()>& used_up) {
  // Input arrives up to the next tick: a tick is time passing, which only a wait lets pass.
  while (!script_.empty() && !tick_at_head()) {
    queue_.push_input(script_.front());
    script_.pop_front();
  }
  if (!block) {
    if (!queue_.ready()) count_idle_poll(used_up);
    return;
  }
  polls_without_input_ = 0;
  if (queue_.ready()) return;
  if (tick_at_head()) {
    script_.pop_front();
    pass_time_to_next_tick();
    return;
  }
  // Nothing will ever arrive once the script is used up.
  used_up();
}

void ScriptedSession::count_idle_poll(const std::function<void()>& used_up) {
  // A script line read is progress too: only a single line whose run would never end (a
  // periodic count of 2^31) keeps the count rising.
  if (script_lines_read() != script_lines_seen_) {
    script_lines_seen_ = script_lines_read();
    polls_without_input_ = 0;
  }
  if (++polls_without_input_ >= max_polls_without_input) {
    polls_without_input_ = 0;
    std::cerr << "session: no input taken in " << max_polls_without_input
              << " polls in a row while no script line was read (a periodic run without end?);"
                 " closing the window\n";
    used_up();
  }
}

void ScriptedSession::start_timer(int id, int period_ms) {
  // A period below 1 ms ticks every millisecond.
  const long period = std::max(period_ms, 1);
  timers_[id] = {period, elapsed_ms_ + period};
}

void ScriptedSession::kill_timer(int id) {
  timers_.erase(id);
  queue_.timer_stopped(id);
}

void ScriptedSession::let_time_pass(long ms) {
  elapsed_ms_ += ms;
  for (auto& [id, timer] : timers_) {
    if (timer.due_ms > elapsed_ms_) continue;
    queue_.timer_fired(id);
    // Ticks not taken merge: the next one is a whole period after the last one due.
    timer.due_ms +=
        (elapsed_ms_ - timer.due_ms) / timer.period_ms * timer.period_ms + timer.period_ms;
  }
}

void ScriptedSession::pass_time_to_next_tick() {
  if (timers_.empty()) return;
  long next = timers_.begin()->second.due_ms;
  for (const auto& [id, timer] : timers_) next = std::min(next, timer.due_ms);
  let_time_pass(next - elapsed_ms_);
}

void ScriptedSession::transcript(std::string_view kind, std::string_view text) {
  if (!write_) return;
  std::string line(kind);
  line += ": ";
  line += transcript_text(text);
  write_(line);
}

void ScriptedSession::text_line(std::string_view line) {
  transcript("text", line);
}

std::string ScriptedSession::dialog(std::string_view shown) {
  transcript("dialog", shown);
  if (replies_.empty()) return {};
  std::string reply = std::move(replies_.front());
  replies_.pop_front();
  // As the dialog's line box would take it, so that the transcript shows what the program got.
  cut_reply(reply, TextBytes::Utf8);
  return reply;
}

void ScriptedSession::replied(std::string_view reply) {
  transcript("reply", reply);
}

}  // namespace zr590::platform

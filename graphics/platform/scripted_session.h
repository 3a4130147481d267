// A run driven by a message file instead of a user, as the headless runner and the web page's
// test sessions run it: the scripted input, the dialog answers, time that passes only as the
// script's ticks say, and the transcript of what the windows showed. A backend owns one and
// calls it from pump_events(), line_dialog() and text_put_line().
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/message_file.h"
#include "platform/platform.h"

namespace zr590::platform {

class ScriptedSession {
 public:
  // Input and ticks go into `queue` (the backend's).
  explicit ScriptedSession(MessageQueue& queue) : queue_(queue) {}

  // --- the script ---
  void load(ScriptedInput input);
  // A timer tick (kind Timer) stands for time passing: it arrives only when the program waits.
  void push_input(const Input& input) { script_.push_back(input); }
  // The graphics window's close box, after the input scripted so far.
  void push_close() { script_.push_back(close_box()); }
  // An answer for the next line dialog; a dialog that finds none gets "".
  void push_reply(std::string reply) { replies_.push_back(std::move(reply)); }
  std::size_t pending() const { return script_.size(); }

  // Moves the scripted input up to the next tick into the queue. At a wait (`block`) with
  // nothing queued, the tick lets time pass to the next timer tick; once the script is used up,
  // `used_up` runs. A program that keeps polling is playing a script of its own, and gets
  // `used_up` too after max_polls_without_input polls in a row that took nothing while it read
  // no script line (a periodic line may ask for 2^31 events, weeks of replay).
  void pump(bool block, const std::function<void()>& used_up);
  long max_polls_without_input = 1000000;
  // A new library session: the polls of an earlier one do not count.
  void forget_polls() { polls_without_input_ = 0; }

  // --- simulated time ---
  void start_timer(int id, int period_ms);
  void kill_timer(int id);
  bool timer_running() const { return !timers_.empty(); }
  long elapsed_ms() const { return elapsed_ms_; }
  // The program is busy this long: each running timer whose tick falls due ticks (its ticks
  // merged until the program takes them).
  void let_time_pass(long ms);
  void pass_time_to_next_tick();

  // --- the transcript: one line each, `text:`, `dialog:` and `reply:` ---
  void set_transcript(std::function<void(const std::string&)> write) { write_ = std::move(write); }
  // `line` as the text window shows it.
  void text_line(std::string_view line);
  // A dialog shows `shown`; returns its answer (the next reply).
  std::string dialog(std::string_view shown);
  void replied(std::string_view reply);

  // The graphics window's close box as input.
  static Input close_box() { return {{Window::Graphics, MessageKind::Destroy}, -1, true}; }

 private:
  bool tick_at_head() const;
  void count_idle_poll(const std::function<void()>& used_up);
  void transcript(std::string_view kind, std::string_view text);

  MessageQueue& queue_;
  std::deque<Input> script_;
  std::deque<std::string> replies_;
  struct Timer {
    long period_ms;
    long due_ms;  // when it ticks next
  };
  std::map<int, Timer> timers_;  // the running timers by id
  long elapsed_ms_ = 0;
  long polls_without_input_ = 0;
  unsigned long script_lines_seen_ = 0;
  std::function<void(const std::string&)> write_;
};

}  // namespace zr590::platform

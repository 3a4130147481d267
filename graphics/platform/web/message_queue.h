// The web backend's message queue, in the order a Windows thread queue hands messages out:
// messages the program posted first, then the quit request, then input, and a timer tick only
// when nothing else is waiting (ticks do not pile up).
//
// A session fed from a message file puts its ticks among the input instead: such a tick is
// time passing, so it arrives only once the program waits for it, as in the headless runner.
#pragma once

#include <deque>
#include <set>

#include "platform/platform.h"

namespace zr590::platform::web {

struct Input {
  Message message;
  // The character a key press types (-1: none); it follows the key-down as a message of its
  // own once the key-down is taken.
  int character = -1;
  // The graphics window's close box: the window procedure sees Destroy, then the window goes.
  bool close = false;
};

class MessageQueue {
 public:
  void post(const Message& message) { posted_.push_back({message}); }
  void push_input(const Input& input) { input_.push_back(input); }
  void post_quit() { quit_ = true; }
  void timer_fired(int id) { due_timers_.insert(id); }
  // A stopped timer's tick that was not taken yet is dropped.
  void timer_stopped(int id) { due_timers_.erase(id); }
  // The program is about to sleep: a session's tick at the head of the input arrives.
  void time_passes();

  bool ready() const;
  bool input_left() const { return !input_.empty(); }

  enum class Next { Nothing, Message, Quit };
  Next take(Input& out);

 private:
  bool tick_waiting() const;

  std::deque<Input> posted_;
  std::deque<Input> input_;
  std::set<int> due_timers_;
  bool quit_ = false;
  bool tick_arrived_ = false;  // the session's tick at the head of the input has arrived
};

}  // namespace zr590::platform::web

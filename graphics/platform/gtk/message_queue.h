// The GTK backend's message queue, in the order a Windows thread queue hands messages out:
// messages the program posted first, then the quit request, then input, and a timer tick
// only when nothing else is waiting (ticks do not pile up).
#pragma once

#include <deque>
#include <set>

#include "platform/platform.h"

namespace zr590::platform::gtk {

struct QueuedMessage {
  Message message;
  // The character GDK's key translation made of a key press (-1: none); it follows the
  // key-down as its own message once the key-down is taken.
  int character = -1;
  // A close box: after the window procedure has seen Destroy, the window goes.
  bool destroy_window = false;
};

class MessageQueue {
 public:
  void post(const QueuedMessage& message) { posted_.push_back(message); }
  void push_input(const QueuedMessage& message) { input_.push_back(message); }
  void post_quit() { quit_ = true; }
  void timer_fired(int id) { due_timers_.insert(id); }
  // A stopped timer's tick that was not taken yet is dropped.
  void timer_stopped(int id) { due_timers_.erase(id); }

  bool ready() const;
  bool quit_pending() const { return quit_; }

  enum class Next { Nothing, Message, Quit };
  // Takes the next message. With include_quit false a pending quit stays queued and the
  // messages behind it are taken (a modal loop leaves the quit to the main loop).
  Next take(bool include_quit, QueuedMessage& out);

 private:
  std::deque<QueuedMessage> posted_;
  std::deque<QueuedMessage> input_;
  std::set<int> due_timers_;
  bool quit_ = false;
};

}  // namespace zr590::platform::gtk

#include "platform/gtk/message_queue.h"

namespace zr590::platform::gtk {

bool MessageQueue::ready() const {
  return quit_ || !posted_.empty() || !input_.empty() || !due_timers_.empty();
}

MessageQueue::Next MessageQueue::take(bool include_quit, QueuedMessage& out) {
  if (!posted_.empty()) {
    out = posted_.front();
    posted_.pop_front();
    return Next::Message;
  }
  if (quit_ && include_quit) {
    quit_ = false;
    return Next::Quit;
  }
  if (!input_.empty()) {
    out = input_.front();
    input_.pop_front();
    return Next::Message;
  }
  if (!due_timers_.empty()) {
    int id = *due_timers_.begin();
    due_timers_.erase(due_timers_.begin());
    out = QueuedMessage{{Window::Graphics, MessageKind::Timer, id}};
    return Next::Message;
  }
  return Next::Nothing;
}

}  // namespace zr590::platform::gtk

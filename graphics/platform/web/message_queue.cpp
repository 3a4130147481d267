#include "platform/web/message_queue.h"

namespace zr590::platform::web {

bool MessageQueue::tick_waiting() const {
  return !input_.empty() && input_.front().message.kind == MessageKind::Timer && !tick_arrived_;
}

void MessageQueue::time_passes() {
  if (tick_waiting()) tick_arrived_ = true;
}

bool MessageQueue::ready() const {
  return quit_ || !posted_.empty() || (!input_.empty() && !tick_waiting()) || !due_timers_.empty();
}

MessageQueue::Next MessageQueue::take(Input& out) {
  if (!posted_.empty()) {
    out = posted_.front();
    posted_.pop_front();
    return Next::Message;
  }
  if (quit_) {
    quit_ = false;
    return Next::Quit;
  }
  if (!input_.empty() && !tick_waiting()) {
    out = input_.front();
    input_.pop_front();
    tick_arrived_ = false;
    return Next::Message;
  }
  if (!due_timers_.empty()) {
    int id = *due_timers_.begin();
    due_timers_.erase(due_timers_.begin());
    out = Input{{Window::Graphics, MessageKind::Timer, id}};
    return Next::Message;
  }
  return Next::Nothing;
}

}  // namespace zr590::platform::web

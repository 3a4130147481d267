#include "platform/platform.h"

namespace zr590::platform {

void MessageQueue::post(const Message& message) {
  posted_.push_back({message});
}

void MessageQueue::post_quit() {
  quit_ = true;
}

void MessageQueue::push_input(const Input& input) {
  input_.push_back(input);
}

void MessageQueue::timer_fired(int id) {
  due_timers_.insert(id);
}

void MessageQueue::timer_stopped(int id) {
  due_timers_.erase(id);
}

bool MessageQueue::ready() const {
  return quit_ || !posted_.empty() || !input_.empty() || !due_timers_.empty();
}

std::size_t MessageQueue::size() const {
  return posted_.size() + (quit_ ? 1 : 0) + input_.size() + due_timers_.size();
}

MessageQueue::Next MessageQueue::take(bool include_quit, Input& out) {
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
    const int id = *due_timers_.begin();
    due_timers_.erase(due_timers_.begin());
    out = Input{{Window::Graphics, MessageKind::Timer, id}};
    return Next::Message;
  }
  return Next::Nothing;
}

}  // namespace zr590::platform

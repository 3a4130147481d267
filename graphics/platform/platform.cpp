#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zr590::platform {
namespace {
Platform* installed = nullptr;
Platform* (*open_on_first_use)() = nullptr;
}  // namespace

Platform& current() {
  if (installed == nullptr && open_on_first_use != nullptr) {
    installed = std::exchange(open_on_first_use, nullptr)();
  }
  if (installed == nullptr) {
    std::fputs("ZR590: no window-system backend is linked into this program\n", stderr);
    std::abort();
  }
  return *installed;
}

void set_current(Platform* platform) {
  installed = platform;
}

std::string marked_label(const MenuItem& item, char mark) {
  std::string marked;
  const std::string_view label = item.label != nullptr ? item.label : "";
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (static_cast<int>(i) == item.mnemonic) marked += mark;
    if (label[i] == mark) marked += mark;
    marked += label[i];
  }
  return marked;
}

std::string shortcut_text(const MenuItem& item) {
  return item.shortcut != 0 ? std::string("Ctrl+") + item.shortcut : std::string();
}

void Platform::post_quit(int) {
  queue_.post_quit();
}

void Platform::post_message(const Message& message) {
  queue_.post(message);
}

Take Platform::take_message() {
  if (!queue_.ready()) pump_events(false);
  Input next;
  switch (queue_.take(true, next)) {
    case MessageQueue::Next::Quit:
      return Take::Quit;
    case MessageQueue::Next::Message:
      dispatch(next);
      return Take::Dispatched;
    case MessageQueue::Next::Nothing:
      break;
  }
  return Take::Nothing;
}

bool Platform::has_message() {
  if (!queue_.ready()) pump_events(false);
  return queue_.ready();
}

void Platform::wait_message() {
  while (!queue_.ready()) pump_events(true);
}

void Platform::deliver_created(Window window) {
  deliver({window, MessageKind::Create});
  const Box client = client_rect(window);
  deliver({window, MessageKind::Size, client.right, client.bottom});
}

void Platform::deliver(const Message& message) {
  if (procedure_) {
    procedure_(message);
  } else if (message.window == Window::Graphics) {
    graphics_window_proc(message);
  } else {
    text_window_proc(message);
  }
}

void Platform::dispatch_all_but_quit() {
  Input next;
  while (queue_.take(false, next) == MessageQueue::Next::Message) dispatch(next);
}

void Platform::dispatch(const Input& input) {
  const Message& message = input.message;
  // Messages still queued for a window that is gone reach nobody.
  if (!window_exists(message.window)) return;
  if (message.kind == MessageKind::KeyDown && input.character >= 0) {
    queue_.post({message.window, MessageKind::Char, input.character});
  }
  deliver(message);
  if (input.close) destroy_window(message.window);
}

void set_current_on_first_use(Platform* (*open)()) {
  installed = nullptr;
  open_on_first_use = open;
}

}  // namespace zr590::platform

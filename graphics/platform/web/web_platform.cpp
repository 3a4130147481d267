#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <sstream>

#include "line_input.h"
#include "platform/headless/message_file.h"
#include "platform/text_encoding.h"
#include "platform/web/page.h"

namespace zr590::platform::web {
namespace {

// A program that keeps polling (a script playing back) lets the page paint and take input
// this often.
constexpr double kBusyMs = 50;
// Text of the Cairo picture may reach this far beyond the web picture's text.
constexpr int kApproximateMargin = 3;

}  // namespace

WebPlatform::WebPlatform() : busy_since_(emscripten_get_now()) {}

bool WebPlatform::start_session(std::string_view messages, std::string& error) {
  ScriptedInput scripted;
  std::istringstream in{std::string(messages)};
  if (!parse_message_file(in, scripted, error)) return false;
  for (const ScriptedInput::Entry& entry : scripted.entries) {
    queue_.push_input({entry.message, -1, entry.kind == ScriptedInput::Close});
  }
  replies_.assign(scripted.replies.begin(), scripted.replies.end());
  session_ = true;
  picture_.note_approximate(kApproximateMargin);
  return true;
}

void WebPlatform::program_ended(int status) {
  if (ended_) return;
  ended_ = true;
  // The page keeps showing what the program drew last.
  page::present(picture_.rgba(), picture_.width(), picture_.height());
  page::files_changed();
  for (const auto& [left, top, right, bottom] : picture_.approximate_boxes()) {
    page::note_box(left, top, right, bottom);
  }
  page::program_ended(status);
}

void WebPlatform::input(const Input& input) {
  if (session_ || ended_) return;  // a session takes its input from its file only
  queue_.push_input(input);
}

void WebPlatform::mouse_down(int x, int y) {
  input({{Window::Graphics, MessageKind::LButtonDown, x, y}});
}

bool WebPlatform::key(Window window, bool press, const KeyEvent& event) {
  const std::optional<Key> key = translate_key(event);
  if (!key) return false;
  if (key->vk == 0) {
    input({{window, MessageKind::Char, key->character}});
  } else if (press) {
    input({{window, MessageKind::KeyDown, key->vk}, key->character});
  } else {
    input({{window, MessageKind::KeyUp, key->vk}});
    return false;
  }
  return program_handles(event, *key);
}

void WebPlatform::command(int id) {
  input({{Window::Graphics, MessageKind::Command, id}});
}

void WebPlatform::timer(int id) {
  if (timers_.count(id) != 0 && !session_) queue_.timer_fired(id);
}

void WebPlatform::focus_lost() {
  input({{Window::Graphics, MessageKind::FocusLost}});
}

void WebPlatform::close_text() {
  if (text_close_hides_) {
    show_window(Window::Text, false);
  } else {
    input({{Window::Text, MessageKind::Destroy}, -1, true});
  }
}

Extent WebPlatform::screen_size() {
  return {page::screen_width(), page::screen_height()};
}

void WebPlatform::create_window(Window window, const char*, int, int, int, int) {
  exists_[index(window)] = true;
  dispatch({{window, MessageKind::Create}});
  const Box client = client_rect(window);
  dispatch({{window, MessageKind::Size, client.right, client.bottom}});
}

void WebPlatform::create_menu(const char* title, const MenuItem* items, std::size_t count) {
  page::menu_begin(display_utf8(title).c_str());
  for (std::size_t i = 0; i < count; ++i) {
    const MenuItem& item = items[i];
    if (item.text == nullptr) {
      page::menu_item(nullptr, 0, false, false);
    } else {
      page::menu_item(display_utf8(item.text).c_str(), item.id, item.checked, item.greyed);
    }
  }
}

void WebPlatform::set_menu_check(int command_id, bool checked) {
  page::menu_check(command_id, checked);
}

void WebPlatform::copy_picture_to_window() {
  // A released drawing context copies nothing, as a block copy to it would.
  if (window_dc_ && exists_[0]) page::present(picture_.rgba(), picture_.width(), picture_.height());
}

Box WebPlatform::client_rect(Window window) {
  // The canvas is the whole graphics window; the text panel has the canvas's width.
  if (window == Window::Graphics) return {0, 0, kPictureWidth, kPictureHeight};
  return {0, 0, kPictureWidth, kPictureHeight / 3};
}

int WebPlatform::show_window(Window window, bool show) {
  const int i = index(window);
  if (!exists_[i]) return 0;
  const bool was = visible_[i];
  visible_[i] = show;
  if (window == Window::Text) page::show_text(show);
  return was ? 1 : 0;
}

void WebPlatform::start_timer(int id, int period_ms) {
  timers_.insert(id);
  if (!session_) page::start_timer(id, period_ms);
}

void WebPlatform::kill_timer(int id) {
  timers_.erase(id);
  if (!session_) page::stop_timer(id);
  queue_.timer_stopped(id);
}

void WebPlatform::post_quit(int) {
  queue_.post_quit();
}

void WebPlatform::post_message(const Message& message) {
  queue_.post(message);
}

Take WebPlatform::take_message() {
  if (emscripten_get_now() - busy_since_ > kBusyMs) {
    page::yield();
    busy_since_ = emscripten_get_now();
  }
  Input next;
  switch (queue_.take(next)) {
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

bool WebPlatform::has_message() {
  return queue_.ready();
}

void WebPlatform::wait_message() {
  page::files_changed();
  while (!queue_.ready()) {
    queue_.time_passes();
    if (queue_.ready()) break;
    if (session_ && !queue_.input_left()) {
      // The session is used up: the user closes the window. Should the program wait on after
      // that, only the quit message is left to give it.
      if (exists_[0]) {
        dispatch({{Window::Graphics, MessageKind::Destroy}, -1, true});
      } else {
        post_quit(0);
      }
      continue;
    }
    page::wait();
  }
  busy_since_ = emscripten_get_now();
}

void WebPlatform::dispatch(const Input& input) {
  const Message& message = input.message;
  // Messages still queued for a window that is gone reach nobody, and a stopped timer sends
  // nothing more.
  if (!exists_[index(message.window)]) return;
  if (message.kind == MessageKind::Timer && timers_.count(message.a) == 0) return;
  if (message.kind == MessageKind::KeyDown && input.character >= 0) {
    queue_.post({message.window, MessageKind::Char, input.character});
  }
  if (message.window == Window::Graphics) {
    graphics_window_proc(message);
  } else {
    text_window_proc(message);
  }
  // What the default handling of the close box ends with: the window is gone.
  if (input.close) {
    exists_[index(message.window)] = visible_[index(message.window)] = false;
    if (message.window == Window::Text) page::show_text(false);
  }
}

void WebPlatform::transcript(std::string_view kind, std::string_view text) {
  if (!session_) return;
  std::string line(kind);
  line += ": ";
  line += transcript_text(text);
  page::transcript(line);
}

void WebPlatform::text_put_line(std::string_view line) {
  page::text_line(display_utf8(line).c_str());
  transcript("text", line);
}

int WebPlatform::line_dialog(std::string_view prompt, std::string_view, std::string& reply) {
  std::string answer;
  if (session_) {
    transcript("dialog", prompt);
    if (!replies_.empty()) {
      answer = std::move(replies_.front());
      replies_.pop_front();
    }
  }
  // The prompt's first characters, not bytes: a cut must not split a UTF-8 character. The
  // reply comes back cut to whole characters too.
  std::string shown = display_utf8(prompt);
  const Utf8Prefix first = utf8_prefix(shown, shown.size(), kPromptLength);
  shown.resize(first.bytes);
  shown.append(kPromptLength - first.characters, ' ');
  reply = page::line_dialog(shown.c_str(), session_ ? display_utf8(answer).c_str() : nullptr,
                            static_cast<int>(kReplyLength) + 1);
  transcript("reply", reply);
  return 1;
}

}  // namespace zr590::platform::web

#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <sstream>
#include <utility>

#include "platform/message_file.h"
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

WebPlatform::WebPlatform()
    : busy_since_(emscripten_get_now()), previous_input_(std::exchange(page_input_, this)) {}

WebPlatform::~WebPlatform() {
  if (!session_) {
    for (int id : timers_) page::stop_timer(id);
  }
  if (page_input_ == this) page_input_ = previous_input_;
}

bool WebPlatform::start_session(std::string_view messages, std::string& error) {
  ScriptedInput scripted;
  std::istringstream in{std::string(messages)};
  if (!parse_message_file(in, scripted, error)) return false;
  session_.emplace(queue());
  session_->load(std::move(scripted));
  session_->set_transcript([](const std::string& line) { page::transcript(line); });
  noting_.emplace(picture_, kApproximateMargin);
  return true;
}

void WebPlatform::program_ended(int status) {
  if (ended_) return;
  ended_ = true;
  // The page keeps showing what the program drew last: the whole of it, once, so that the last
  // picture stands on the canvas whatever became of the boxes copied before.
  present_changes(true);
  page::files_changed();
  if (noting_) {
    for (const auto& [left, top, right, bottom] : noting_->boxes()) {
      page::note_box(left, top, right, bottom);
    }
  }
  page::program_ended(status);
}

void WebPlatform::arrive(const Input& input) {
  if (session_ || ended_) return;
  queue().push_input(input);
}

void WebPlatform::mouse_down(int x, int y) {
  arrive({{Window::Graphics, MessageKind::LButtonDown, x, y}});
}

bool WebPlatform::key(Window window, bool press, const KeyEvent& event) {
  const std::optional<Key> key = translate_key(event);
  if (!key) return false;
  if (key->vk == 0) {
    arrive({{window, MessageKind::Char, key->character}});
  } else if (press) {
    arrive({{window, MessageKind::KeyDown, key->vk}, key->character});
  } else {
    arrive({{window, MessageKind::KeyUp, key->vk}});
    return false;
  }
  return program_handles(event, *key, ctrl_shortcuts_);
}

void WebPlatform::command(int id) {
  arrive({{Window::Graphics, MessageKind::Command, id}});
}

void WebPlatform::timer(int id) {
  if (timers_.count(id) != 0 && !session_ && !ended_) queue().timer_fired(id);
}

void WebPlatform::focus_lost() {
  arrive({{Window::Graphics, MessageKind::FocusLost}});
}

void WebPlatform::close_text() {
  if (text_close_hides_) {
    show_window(Window::Text, false);
  } else {
    arrive({{Window::Text, MessageKind::Destroy}, -1, true});
  }
}

Extent WebPlatform::screen_size() {
  return {page::screen_width(), page::screen_height()};
}

void WebPlatform::create_window(Window window, const char*, int, int, int, int) {
  exists_[index(window)] = true;
  deliver_created(window);
}

void WebPlatform::destroy_window(Window window) {
  exists_[index(window)] = visible_[index(window)] = false;
  if (window == Window::Text) page::show_text(false);
}

namespace {

// The mnemonic's place in the label as the page counts it: in characters of the UTF-8 label.
int mnemonic_index(const MenuItem& item) {
  if (item.mnemonic < 0) return -1;
  const std::string before = display_utf8(std::string_view(item.label).substr(0, item.mnemonic));
  return static_cast<int>(utf8_prefix(before, before.size()).characters);
}

}  // namespace

void WebPlatform::create_menu(const MenuItem& title, const MenuItem* items, std::size_t count) {
  page::menu_begin(display_utf8(title.label).c_str(), mnemonic_index(title));
  ctrl_shortcuts_.clear();
  for (std::size_t i = 0; i < count; ++i) {
    const MenuItem& item = items[i];
    if (item.label == nullptr) {
      page::menu_item(nullptr, -1, "", 0, false, false);
      continue;
    }
    page::menu_item(display_utf8(item.label).c_str(), mnemonic_index(item),
                    shortcut_text(item).c_str(), item.id, item.checked, item.greyed);
    if (item.shortcut != 0) ctrl_shortcuts_.insert(item.shortcut);
  }
}

void WebPlatform::set_menu_check(int command_id, bool checked) {
  page::menu_check(command_id, checked);
}

void WebPlatform::copy_picture_to_window() {
  // A released drawing context copies nothing, as a block copy to it would.
  if (window_dc_ && exists_[0]) present_changes(false);
}

void WebPlatform::present_changes(bool whole) {
  // Only what changed goes to the canvas; an unchanged picture costs the page nothing.
  settle_drawing(picture());
  const std::uint8_t* rgba = picture_.rgba();
  Box changed = shown_.update(rgba, picture_.width(), picture_.height());
  if (whole) changed = {0, 0, picture_.width(), picture_.height()};
  if (changed.right > changed.left)
    page::present(rgba, picture_.width(), picture_.height(), changed);
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
  if (session_) return session_->start_timer(id, period_ms);
  page::start_timer(id, period_ms);
}

void WebPlatform::kill_timer(int id) {
  timers_.erase(id);
  if (session_) return session_->kill_timer(id);
  page::stop_timer(id);
  queue().timer_stopped(id);
}

void WebPlatform::session_used_up() {
  // The user closes the window. Should the program wait on after that, only the quit message is
  // left to give it.
  if (exists_[index(Window::Graphics)]) {
    queue().push_input(ScriptedSession::close_box());
  } else {
    post_quit(0);
  }
}

void WebPlatform::pump_events(bool block) {
  if (!block) {
    // The page's input comes in while the program sleeps; a busy program sleeps a moment now
    // and then.
    if (emscripten_get_now() - busy_since_ > kBusyMs) {
      page::yield();
      busy_since_ = emscripten_get_now();
    }
    if (session_) session_->pump(false, [this] { session_used_up(); });
    return;
  }
  // Before sleeping: what the program wrote is stored in the browser and listed.
  page::files_changed();
  if (session_) {
    session_->pump(true, [this] { session_used_up(); });
  } else if (!queue().ready()) {
    page::wait();
  }
  busy_since_ = emscripten_get_now();
}

void WebPlatform::text_put_line(std::string_view line) {
  page::text_line(display_utf8(line).c_str());
  if (session_) session_->text_line(display_utf8(line));
}

int WebPlatform::line_dialog(const DialogPrompt& prompt, std::string& reply) {
  std::string answer;
  if (session_) answer = session_->dialog(prompt.text);
  page::open_line_dialog(prompt.padded().c_str(),
                         session_ ? display_utf8(answer).c_str() : nullptr);
  // The dialog's modal loop: what arrives meanwhile (the timer's ticks; the page takes no other
  // input) reaches the window procedures at once. A session's dialog is answered at once and
  // its scripted input comes after it, as in the headless runner.
  std::string typed;
  while (!page::line_dialog_closed(typed, static_cast<int>(kReplyLength) + 1)) {
    // Leaves only a quit request queued, for the event wait: nothing to spin on.
    dispatch_all_but_quit();
    page::wait();
  }
  reply = std::move(typed);
  if (session_) session_->replied(reply);
  return 1;
}

}  // namespace zr590::platform::web

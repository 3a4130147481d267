// The web backend's input: keys translated as the GTK backend translates them, the page's
// text read as UTF-8 where it is valid, and the message queue's order.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include "platform/gtk/key_translation.h"
#include "platform/web/message_queue.h"
#include "platform/web/text_font.h"
#include "platform/web/web_keys.h"

namespace zr590::testing {
namespace {

using platform::Message;
using platform::MessageKind;
using platform::Window;
using platform::web::Input;
using platform::web::KeyEvent;
using platform::web::MessageQueue;

struct KeyCase {
  KeyEvent event;
  unsigned keyval;       // what GDK reports for the same key
  unsigned base_keyval;  // the key's keyval without modifiers
  bool handled;          // the program acts on it, so the browser must not
};

TEST(WebKeysTest, KeysGiveTheCodesAndCharactersThatGtkGives) {
  const KeyCase cases[] = {
      {{"a", "KeyA"}, GDK_KEY_a, GDK_KEY_a, true},
      {{"A", "KeyA", false, true}, GDK_KEY_A, GDK_KEY_a, true},
      {{"a", "KeyA", true}, GDK_KEY_a, GDK_KEY_a, true},
      {{"p", "KeyP", true}, GDK_KEY_p, GDK_KEY_p, true},
      {{"R", "KeyR", true, true}, GDK_KEY_R, GDK_KEY_r, true},
      {{"c", "KeyC", true}, GDK_KEY_c, GDK_KEY_c, false},
      {{"\\", "Backslash", true}, GDK_KEY_backslash, GDK_KEY_backslash, false},
      {{"1", "Digit1"}, GDK_KEY_1, GDK_KEY_1, true},
      {{"!", "Digit1", false, true}, GDK_KEY_exclam, GDK_KEY_1, true},
      {{";", "Semicolon"}, GDK_KEY_semicolon, GDK_KEY_semicolon, true},
      {{" ", "Space"}, GDK_KEY_space, GDK_KEY_space, true},
      {{"Enter", "Enter"}, GDK_KEY_Return, GDK_KEY_Return, true},
      {{"Enter", "Enter", true}, GDK_KEY_Return, GDK_KEY_Return, false},
      {{"Enter", "NumpadEnter"}, GDK_KEY_KP_Enter, GDK_KEY_KP_Enter, true},
      {{"Backspace", "Backspace"}, GDK_KEY_BackSpace, GDK_KEY_BackSpace, true},
      {{"Escape", "Escape"}, GDK_KEY_Escape, GDK_KEY_Escape, true},
      {{"Delete", "Delete"}, GDK_KEY_Delete, GDK_KEY_Delete, false},
      {{"F5", "F5"}, GDK_KEY_F5, GDK_KEY_F5, false},
      {{"ArrowLeft", "ArrowLeft"}, GDK_KEY_Left, GDK_KEY_Left, false},
      {{"Control", "ControlLeft", true}, GDK_KEY_Control_L, GDK_KEY_Control_L, false},
      {{"Shift", "ShiftRight", false, true}, GDK_KEY_Shift_R, GDK_KEY_Shift_R, false},
      {{"1", "Numpad1"}, GDK_KEY_KP_1, GDK_KEY_KP_1, true},
      {{"End", "Numpad1"}, GDK_KEY_KP_End, GDK_KEY_KP_End, false},
      {{"*", "NumpadMultiply"}, GDK_KEY_KP_Multiply, GDK_KEY_KP_Multiply, true},
      {{"\xc3\xa9", "Digit2"}, GDK_KEY_eacute, GDK_KEY_eacute, true},  // a French keyboard's é
  };
  for (const KeyCase& c : cases) {
    const std::string what = std::string(c.event.key) + " on " + std::string(c.event.code) +
                             (c.event.ctrl ? " with Ctrl" : "");
    int vk = platform::gtk::virtual_key(c.keyval);
    if (vk == 0) vk = platform::gtk::virtual_key(c.base_keyval);
    const int character = platform::gtk::typed_character(c.keyval, c.event.ctrl);
    const auto key = platform::web::translate_key(c.event);
    ASSERT_TRUE(key.has_value()) << what;
    EXPECT_EQ(key->vk, vk) << what;
    EXPECT_EQ(key->character, character) << what;
    EXPECT_EQ(platform::web::program_handles(c.event, *key), c.handled) << what;
  }
}

TEST(WebKeysTest, KeysWithAltAndCharactersBeyondLatin1MakeNoKeyEvent) {
  for (const KeyEvent& event :
       {KeyEvent{"f", "KeyF", false, false, true}, KeyEvent{"\xd1\x84", "KeyA"},  // Cyrillic ef
        KeyEvent{"\xe2\x82\xac", "KeyE"},  // the euro sign, AltGr+E
        KeyEvent{"Dead", "BracketLeft"}}) {
    EXPECT_FALSE(platform::web::translate_key(event).has_value()) << event.key;
  }
}

TEST(PageTextTest, ValidUtf8IsReadAsUtf8AndAnyOtherByteAsLatin1) {
  const std::pair<const char*, std::u32string> cases[] = {
      {"caf\xc3\xa9", U"caf\u00e9"},
      {"\xe2\x82\xac \xf0\x9f\x99\x82", U"\u20ac \U0001F642"},
      {"\xe9t\xe9", U"\u00e9t\u00e9"},                    // Latin-1
      {"\xc0\xaf", U"\u00c0\u00af"},                      // an overlong '/'
      {"\xed\xa0\x80", U"\u00ed\u00a0\u0080"},            // a surrogate
      {"\xf4\x90\x80\x80", U"\u00f4\u0090\u0080\u0080"},  // beyond U+10FFFF
      {"\xe2\x82", U"\u00e2\u0082"},                      // cut short
  };
  for (const auto& [bytes, characters] : cases) {
    EXPECT_EQ(platform::web::decode_text(bytes), characters) << bytes;
  }
}

Message click(int x) {
  return {Window::Graphics, MessageKind::LButtonDown, x, 0};
}

// The kinds and positions of what the queue hands out until it has nothing.
std::vector<std::pair<MessageKind, int>> drain(MessageQueue& queue, bool& quit_seen) {
  std::vector<std::pair<MessageKind, int>> taken;
  Input input;
  for (;;) {
    const MessageQueue::Next next = queue.take(input);
    if (next == MessageQueue::Next::Nothing) return taken;
    if (next == MessageQueue::Next::Quit) {
      quit_seen = taken.size() == 1;  // right after the posted message
      continue;
    }
    taken.emplace_back(input.message.kind, input.message.a);
  }
}

TEST(WebMessageQueueTest, PostedMessagesComeFirstThenQuitThenInputThenOneTick) {
  MessageQueue queue;
  queue.timer_fired(2);
  queue.push_input({click(1)});
  queue.timer_fired(2);
  queue.post_quit();
  queue.push_input({click(2)});
  queue.post({Window::Graphics, MessageKind::Command, 8});
  bool quit_seen = false;
  const std::vector<std::pair<MessageKind, int>> expected = {{MessageKind::Command, 8},
                                                             {MessageKind::LButtonDown, 1},
                                                             {MessageKind::LButtonDown, 2},
                                                             {MessageKind::Timer, 2}};
  EXPECT_EQ(drain(queue, quit_seen), expected);
  EXPECT_TRUE(quit_seen);

  queue.timer_fired(2);
  queue.timer_stopped(2);
  EXPECT_FALSE(queue.ready()) << "a stopped timer's tick is dropped";
}

TEST(WebMessageQueueTest, ASessionTickArrivesOnlyOnceTheProgramWaits) {
  MessageQueue queue;
  queue.push_input({{Window::Graphics, MessageKind::Timer, 2}});
  queue.push_input({click(5)});
  Input input;
  EXPECT_FALSE(queue.ready());
  EXPECT_EQ(queue.take(input), MessageQueue::Next::Nothing) << "input behind the tick waits";
  queue.time_passes();
  ASSERT_EQ(queue.take(input), MessageQueue::Next::Message);
  EXPECT_EQ(input.message.kind, MessageKind::Timer);
  EXPECT_TRUE(queue.ready()) << "the click needs no waiting";
}

}  // namespace
}  // namespace zr590::testing

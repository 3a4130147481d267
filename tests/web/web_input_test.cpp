// The web backend's input: keys translated as the GTK backend translates them, the keys left to
// the program, and the page's text read as UTF-8 where it is valid.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include "platform/gtk/key_translation.h"
#include "platform/web/web_keys.h"

namespace zr590::testing {
namespace {

using platform::Message;
using platform::MessageKind;
using platform::Window;
using platform::web::KeyEvent;

// The Ctrl shortcuts of a menu like the library's.
const std::set<int> kShortcuts = {'A', 'P', 'R', 'Q'};

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
      {{"q", "KeyQ", true}, GDK_KEY_q, GDK_KEY_q, true},
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
    EXPECT_EQ(platform::web::program_handles(c.event, *key, kShortcuts), c.handled) << what;
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

}  // namespace
}  // namespace zr590::testing

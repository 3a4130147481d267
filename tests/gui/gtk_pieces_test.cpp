// The GTK backend's parts that need no window: menu texts, key codes.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "platform/gtk/key_translation.h"
#include "platform/virtual_keys.h"

namespace zr590::platform::gtk {
namespace {

// A mnemonic mark before its character; the mark itself, where the label holds it, doubled.
TEST(MenuText, MarkedLabels) {
  const MenuItem frame{"Advance one frame", 12, 'F', 3, false, false};
  EXPECT_EQ(marked_label(frame, '_'), "Advance one _frame");
  const MenuItem literal{"R&D my_file", 0, 0, 9, false, false};
  EXPECT_EQ(marked_label(literal, '_'), "_R&D my__file");
  EXPECT_EQ(marked_label(literal, '&'), "&R&&D my_file");
  const MenuItem none{"Info", -1, 0, 9, false, true};
  EXPECT_EQ(marked_label(none, '&'), "Info");
  EXPECT_EQ(shortcut_text(none), "");
}

// A key's code names the key, not what it types: both cases of a letter, both Ctrl keys, the
// keypad's Home and Home share one; keys that type a character have the US keyboard's code; a
// shifted character (!) or one no US key types has none of its own.
TEST(KeyTranslation, OneKeyOneCode) {
  const std::pair<unsigned, unsigned> same[] = {{GDK_KEY_a, GDK_KEY_A},
                                                {GDK_KEY_Control_L, GDK_KEY_Control_R},
                                                {GDK_KEY_Shift_L, GDK_KEY_Shift_R},
                                                {GDK_KEY_KP_Home, GDK_KEY_Home},
                                                {GDK_KEY_KP_Delete, GDK_KEY_Delete}};
  for (const auto& [one, other] : same) {
    EXPECT_NE(virtual_key(one), 0) << one;
    EXPECT_EQ(virtual_key(one), virtual_key(other)) << one;
  }
  for (const char c : std::string_view("az09 ;=,-./`[]\\'")) {
    EXPECT_EQ(virtual_key(gdk_unicode_to_keyval(c)), keys::key_for_character(c)) << c;
  }
  for (const unsigned keyval : {GDK_KEY_exclam, GDK_KEY_eacute}) EXPECT_EQ(virtual_key(keyval), 0);
  // The shortcuts read this code; the keypad's digits and the function keys run in order.
  EXPECT_EQ(virtual_key(GDK_KEY_Control_L), kCtrlKey);
  EXPECT_EQ(virtual_key(GDK_KEY_KP_7), virtual_key(GDK_KEY_KP_0) + 7);
  EXPECT_NE(virtual_key(GDK_KEY_KP_7), virtual_key(GDK_KEY_7));
  EXPECT_EQ(virtual_key(GDK_KEY_F12), virtual_key(GDK_KEY_F1) + 11);
}

TEST(KeyTranslation, TypedCharacters) {
  EXPECT_EQ(typed_character(GDK_KEY_c, false), 'c');
  EXPECT_EQ(typed_character(GDK_KEY_C, false), 'C');
  EXPECT_EQ(typed_character(GDK_KEY_exclam, false), '!');
  EXPECT_EQ(typed_character(GDK_KEY_eacute, false), 233);
  // Beyond Latin-1 a key types nothing: its low byte would be another character.
  EXPECT_EQ(typed_character(GDK_KEY_Cyrillic_u, false), -1);            // U+0443, low byte 'C'
  EXPECT_EQ(typed_character(gdk_unicode_to_keyval(0x463), false), -1);  // low byte 'c'
  EXPECT_EQ(typed_character(GDK_KEY_EuroSign, false), -1);
  EXPECT_EQ(typed_character(GDK_KEY_ydiaeresis, false), 255);
  EXPECT_EQ(typed_character(GDK_KEY_Return, false), 13);
  EXPECT_EQ(typed_character(GDK_KEY_BackSpace, false), 8);
  EXPECT_EQ(typed_character(GDK_KEY_Escape, false), 27);
  EXPECT_EQ(typed_character(GDK_KEY_KP_5, false), '5');
  EXPECT_EQ(typed_character(GDK_KEY_Delete, false), -1);
  EXPECT_EQ(typed_character(GDK_KEY_Left, false), -1);
  EXPECT_EQ(typed_character(GDK_KEY_F5, false), -1);
  EXPECT_EQ(typed_character(GDK_KEY_Shift_L, false), -1);
  EXPECT_EQ(typed_character(GDK_KEY_Control_L, true), -1);
  EXPECT_EQ(typed_character(GDK_KEY_l, true), 12);
  EXPECT_EQ(typed_character(GDK_KEY_L, true), 12);
  EXPECT_EQ(typed_character(GDK_KEY_1, true), -1);
}

TEST(KeyTranslation, MenuKeysStayWithGtk) {
  EXPECT_TRUE(is_menu_key(GDK_KEY_F10, false));
  EXPECT_TRUE(is_menu_key(GDK_KEY_Alt_L, false));
  EXPECT_TRUE(is_menu_key(GDK_KEY_r, true));
  EXPECT_FALSE(is_menu_key(GDK_KEY_r, false));
  EXPECT_FALSE(is_menu_key(GDK_KEY_F9, false));

  GdkEventKey alt_r{};
  alt_r.type = GDK_KEY_PRESS;
  alt_r.keyval = GDK_KEY_r;
  alt_r.state = GDK_MOD1_MASK;
  EXPECT_FALSE(key_message(Window::Graphics, alt_r).has_value());
  GdkEventKey f10{};
  f10.type = GDK_KEY_PRESS;
  f10.keyval = GDK_KEY_F10;
  EXPECT_FALSE(key_message(Window::Graphics, f10).has_value());
  GdkEventKey f9 = f10;
  f9.keyval = GDK_KEY_F9;
  auto message = key_message(Window::Text, f9);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->message.kind, MessageKind::KeyDown);
  EXPECT_EQ(message->message.a, 120);
  EXPECT_EQ(message->character, -1);
}

}  // namespace
}  // namespace zr590::platform::gtk

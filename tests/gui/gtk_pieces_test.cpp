// The GTK backend's parts that need no window: menu texts, key codes.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include "platform/gtk/key_translation.h"

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

TEST(KeyTranslation, VirtualKeyCodes) {
  EXPECT_EQ(virtual_key(GDK_KEY_a), 65);
  EXPECT_EQ(virtual_key(GDK_KEY_Z), 90);
  EXPECT_EQ(virtual_key(GDK_KEY_z), 90);
  EXPECT_EQ(virtual_key(GDK_KEY_0), 48);
  EXPECT_EQ(virtual_key(GDK_KEY_Control_L), 17);
  EXPECT_EQ(virtual_key(GDK_KEY_Control_R), 17);
  EXPECT_EQ(virtual_key(GDK_KEY_Shift_R), 16);
  EXPECT_EQ(virtual_key(GDK_KEY_Return), 13);
  EXPECT_EQ(virtual_key(GDK_KEY_Left), 37);
  EXPECT_EQ(virtual_key(GDK_KEY_Down), 40);
  EXPECT_EQ(virtual_key(GDK_KEY_F1), 112);
  EXPECT_EQ(virtual_key(GDK_KEY_F12), 123);
  EXPECT_EQ(virtual_key(GDK_KEY_KP_7), 103);
  EXPECT_EQ(virtual_key(GDK_KEY_KP_Home), 36);
  EXPECT_EQ(virtual_key(GDK_KEY_Delete), 46);
  EXPECT_EQ(virtual_key(GDK_KEY_semicolon), 186);
  EXPECT_EQ(virtual_key(GDK_KEY_eacute), 0);
  EXPECT_EQ(virtual_key(GDK_KEY_exclam), 0);  // the key's own code comes from its base keyval
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

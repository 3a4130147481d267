#include "platform/gtk/key_translation.h"

#include <gdk/gdk.h>

#include "platform/virtual_keys.h"

namespace zr590::platform::gtk {
namespace {

struct KeyCode {
  unsigned keyval;
  int vk;
};

// Keys whose code does not follow from a range or from the character they type.
constexpr KeyCode kKeyCodes[] = {
    {GDK_KEY_BackSpace, keys::kBackspace},
    {GDK_KEY_Tab, keys::kTab},
    {GDK_KEY_ISO_Left_Tab, keys::kTab},
    {GDK_KEY_KP_Begin, keys::kClear},
    {GDK_KEY_Return, keys::kEnter},
    {GDK_KEY_KP_Enter, keys::kEnter},
    {GDK_KEY_Shift_L, keys::kShift},
    {GDK_KEY_Shift_R, keys::kShift},
    {GDK_KEY_Control_L, keys::kCtrl},
    {GDK_KEY_Control_R, keys::kCtrl},
    {GDK_KEY_Alt_L, keys::kAlt},
    {GDK_KEY_Alt_R, keys::kAlt},
    {GDK_KEY_Pause, keys::kPause},
    {GDK_KEY_Caps_Lock, keys::kCapsLock},
    {GDK_KEY_Escape, keys::kEscape},
    {GDK_KEY_KP_Space, keys::kSpace},
    {GDK_KEY_Page_Up, keys::kPageUp},
    {GDK_KEY_KP_Page_Up, keys::kPageUp},
    {GDK_KEY_Page_Down, keys::kPageDown},
    {GDK_KEY_KP_Page_Down, keys::kPageDown},
    {GDK_KEY_End, keys::kEnd},
    {GDK_KEY_KP_End, keys::kEnd},
    {GDK_KEY_Home, keys::kHome},
    {GDK_KEY_KP_Home, keys::kHome},
    {GDK_KEY_Left, keys::kLeft},
    {GDK_KEY_KP_Left, keys::kLeft},
    {GDK_KEY_Up, keys::kUp},
    {GDK_KEY_KP_Up, keys::kUp},
    {GDK_KEY_Right, keys::kRight},
    {GDK_KEY_KP_Right, keys::kRight},
    {GDK_KEY_Down, keys::kDown},
    {GDK_KEY_KP_Down, keys::kDown},
    {GDK_KEY_Print, keys::kPrintScreen},
    {GDK_KEY_Insert, keys::kInsert},
    {GDK_KEY_KP_Insert, keys::kInsert},
    {GDK_KEY_Delete, keys::kDelete},
    {GDK_KEY_KP_Delete, keys::kDelete},
    {GDK_KEY_Super_L, keys::kLeftSuper},
    {GDK_KEY_Super_R, keys::kRightSuper},
    {GDK_KEY_Menu, keys::kMenu},
    {GDK_KEY_KP_Multiply, keys::kMultiply},
    {GDK_KEY_KP_Add, keys::kAdd},
    {GDK_KEY_KP_Separator, keys::kSeparator},
    {GDK_KEY_KP_Subtract, keys::kSubtract},
    {GDK_KEY_KP_Decimal, keys::kDecimal},
    {GDK_KEY_KP_Divide, keys::kDivide},
    {GDK_KEY_Num_Lock, keys::kNumLock},
    {GDK_KEY_Scroll_Lock, keys::kScrollLock},
};

bool in(unsigned keyval, unsigned first, unsigned last) {
  return keyval >= first && keyval <= last;
}

// The keyval of the key with no modifier held: shifted punctuation and digits get the code of
// their key.
unsigned base_keyval(const GdkEventKey& event) {
  guint keyval = 0;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event.window));
  if (!gdk_keymap_translate_keyboard_state(keymap, event.hardware_keycode,
                                           static_cast<GdkModifierType>(0), event.group, &keyval,
                                           nullptr, nullptr, nullptr)) {
    return 0;
  }
  return keyval;
}

}  // namespace

int virtual_key(unsigned keyval) {
  if (in(keyval, GDK_KEY_KP_0, GDK_KEY_KP_9)) {
    return static_cast<int>(keyval - GDK_KEY_KP_0) + keys::kNumpad0;
  }
  if (in(keyval, GDK_KEY_F1, GDK_KEY_F24)) return static_cast<int>(keyval - GDK_KEY_F1) + keys::kF1;
  for (const KeyCode& code : kKeyCodes) {
    if (code.keyval == keyval) return code.vk;
  }
  return keys::key_for_character(gdk_keyval_to_unicode(keyval));
}

int typed_character(unsigned keyval, bool ctrl_held) {
  return keys::typed_character(virtual_key(keyval), gdk_keyval_to_unicode(keyval), ctrl_held);
}

bool is_menu_key(unsigned keyval, bool alt_held) {
  return alt_held || keyval == GDK_KEY_F10 || keyval == GDK_KEY_Alt_L || keyval == GDK_KEY_Alt_R ||
         keyval == GDK_KEY_Meta_L || keyval == GDK_KEY_Meta_R;
}

std::optional<Input> key_message(Window window, const GdkEventKey& event) {
  const bool press = event.type == GDK_KEY_PRESS;
  if (is_menu_key(event.keyval, (event.state & GDK_MOD1_MASK) != 0)) return std::nullopt;
  int vk = virtual_key(event.keyval);
  if (vk == 0) vk = virtual_key(base_keyval(event));
  int character = press ? typed_character(event.keyval, (event.state & GDK_CONTROL_MASK) != 0) : -1;
  if (vk == 0) {
    // A key of no known code (a national letter, say) still types its character.
    if (character < 0) return std::nullopt;
    return Input{{window, MessageKind::Char, character}};
  }
  return Input{{window, press ? MessageKind::KeyDown : MessageKind::KeyUp, vk}, character};
}

}  // namespace zr590::platform::gtk

#include "platform/gtk/key_translation.h"

#include <gdk/gdk.h>

namespace zr590::platform::gtk {
namespace {

struct KeyCode {
  unsigned keyval;
  int vk;
};

// Keys whose code does not follow from a range.
constexpr KeyCode kKeyCodes[] = {
    {GDK_KEY_BackSpace, 8},     {GDK_KEY_Tab, 9},           {GDK_KEY_ISO_Left_Tab, 9},
    {GDK_KEY_KP_Begin, 12},     {GDK_KEY_Return, 13},       {GDK_KEY_KP_Enter, 13},
    {GDK_KEY_Shift_L, 16},      {GDK_KEY_Shift_R, 16},      {GDK_KEY_Alt_L, 18},
    {GDK_KEY_Alt_R, 18},        {GDK_KEY_Pause, 19},        {GDK_KEY_Caps_Lock, 20},
    {GDK_KEY_Escape, 27},       {GDK_KEY_space, 32},        {GDK_KEY_KP_Space, 32},
    {GDK_KEY_Page_Up, 33},      {GDK_KEY_KP_Page_Up, 33},   {GDK_KEY_Page_Down, 34},
    {GDK_KEY_KP_Page_Down, 34}, {GDK_KEY_End, 35},          {GDK_KEY_KP_End, 35},
    {GDK_KEY_Home, 36},         {GDK_KEY_KP_Home, 36},      {GDK_KEY_Left, 37},
    {GDK_KEY_KP_Left, 37},      {GDK_KEY_Up, 38},           {GDK_KEY_KP_Up, 38},
    {GDK_KEY_Right, 39},        {GDK_KEY_KP_Right, 39},     {GDK_KEY_Down, 40},
    {GDK_KEY_KP_Down, 40},      {GDK_KEY_Print, 44},        {GDK_KEY_Insert, 45},
    {GDK_KEY_KP_Insert, 45},    {GDK_KEY_Delete, 46},       {GDK_KEY_KP_Delete, 46},
    {GDK_KEY_Super_L, 91},      {GDK_KEY_Super_R, 92},      {GDK_KEY_Menu, 93},
    {GDK_KEY_KP_Multiply, 106}, {GDK_KEY_KP_Add, 107},      {GDK_KEY_KP_Separator, 108},
    {GDK_KEY_KP_Subtract, 109}, {GDK_KEY_KP_Decimal, 110},  {GDK_KEY_KP_Divide, 111},
    {GDK_KEY_Num_Lock, 144},    {GDK_KEY_Scroll_Lock, 145}, {GDK_KEY_semicolon, 186},
    {GDK_KEY_equal, 187},       {GDK_KEY_comma, 188},       {GDK_KEY_minus, 189},
    {GDK_KEY_period, 190},      {GDK_KEY_slash, 191},       {GDK_KEY_grave, 192},
    {GDK_KEY_bracketleft, 219}, {GDK_KEY_backslash, 220},   {GDK_KEY_bracketright, 221},
    {GDK_KEY_apostrophe, 222},  {GDK_KEY_less, 226},
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
  if (keyval == GDK_KEY_Control_L || keyval == GDK_KEY_Control_R) return kCtrlKey;
  if (in(keyval, GDK_KEY_a, GDK_KEY_z)) return static_cast<int>(keyval - GDK_KEY_a) + 65;
  if (in(keyval, GDK_KEY_A, GDK_KEY_Z)) return static_cast<int>(keyval - GDK_KEY_A) + 65;
  if (in(keyval, GDK_KEY_0, GDK_KEY_9)) return static_cast<int>(keyval - GDK_KEY_0) + 48;
  if (in(keyval, GDK_KEY_KP_0, GDK_KEY_KP_9)) return static_cast<int>(keyval - GDK_KEY_KP_0) + 96;
  if (in(keyval, GDK_KEY_F1, GDK_KEY_F24)) return static_cast<int>(keyval - GDK_KEY_F1) + 112;
  for (const KeyCode& code : kKeyCodes) {
    if (code.keyval == keyval) return code.vk;
  }
  return 0;
}

int typed_character(unsigned keyval, bool ctrl_held) {
  switch (keyval) {
    case GDK_KEY_BackSpace:
      return ctrl_held ? 127 : 8;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
      return 9;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
      return ctrl_held ? 10 : 13;
    case GDK_KEY_Escape:
      return 27;
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete:
      return -1;  // Delete types nothing on Windows
    default:
      break;
  }
  gunichar c = gdk_keyval_to_unicode(keyval);
  if (c == 0) return -1;
  if (ctrl_held) {
    if (in(c, 'a', 'z') || in(c, 'A', 'Z')) return static_cast<int>(c & 0x1F);
    if (c == '[' || c == '\\' || c == ']') return static_cast<int>(c & 0x1F);
    return -1;  // Ctrl with any other key types nothing
  }
  // A key event carries one 8-bit character. Beyond Latin-1 there is none to give: its low
  // byte would be another character (Cyrillic U+0443 would type 'C' and clear a drawing).
  if (c > 0xFF) return -1;
  return static_cast<int>(c);
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

#include "platform/virtual_keys.h"

namespace zr590::platform::keys {
namespace {

bool in(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}

}  // namespace

int key_for_character(char32_t c) {
  if (in(c, 'a', 'z')) return static_cast<int>(c - 'a') + 'A';
  if (in(c, 'A', 'Z') || in(c, '0', '9') || c == ' ') return static_cast<int>(c);
  // The punctuation keys, by their unshifted character.
  struct Punctuation {
    char32_t c;
    int key;
  };
  static constexpr Punctuation kPunctuation[] = {
      {';', 186}, {'=', 187}, {',', 188},  {'-', 189}, {'.', 190},  {'/', 191},
      {'`', 192}, {'[', 219}, {'\\', 220}, {']', 221}, {'\'', 222}, {'<', 226},
  };
  for (const Punctuation& p : kPunctuation) {
    if (p.c == c) return p.key;
  }
  return 0;
}

int typed_character(int key, char32_t c, bool ctrl) {
  switch (key) {
    case kBackspace:
      return ctrl ? 127 : 8;
    case kTab:
      return 9;
    case kEnter:
      return ctrl ? 10 : 13;
    case kEscape:
      return 27;
    case kDelete:
      return -1;  // Delete types nothing on Windows
    default:
      break;
  }
  if (c == 0) return -1;
  if (ctrl) {
    if (in(c, 'a', 'z') || in(c, 'A', 'Z') || c == '[' || c == '\\' || c == ']') {
      return static_cast<int>(c & 0x1F);
    }
    return -1;
  }
  return c <= 0xFF ? static_cast<int>(c) : -1;
}

}  // namespace zr590::platform::keys

#include "platform/gtk/latin1.h"

#include <glib.h>

namespace zr590::platform::gtk {

std::string latin1_to_utf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (char c : latin1) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::string utf8_to_latin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    gunichar c = g_utf8_get_char_validated(p, end - p);
    if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
      latin1 += '?';
      ++p;
      continue;
    }
    latin1 += c < 0x100 ? static_cast<char>(c) : '?';
    p = g_utf8_next_char(p);
  }
  return latin1;
}

}  // namespace zr590::platform::gtk

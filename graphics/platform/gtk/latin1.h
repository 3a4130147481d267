// The library's text is 8-bit Latin-1; GTK and Pango take UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zr590::platform::gtk {

std::string latin1_to_utf8(std::string_view latin1);
// Characters beyond Latin-1 become '?'; a broken UTF-8 sequence gives '?' per byte.
std::string utf8_to_latin1(std::string_view utf8);

}  // namespace zr590::platform::gtk

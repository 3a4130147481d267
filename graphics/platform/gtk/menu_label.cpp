#include "platform/gtk/menu_label.h"

#include <cctype>
#include <string_view>

#include "platform/text_encoding.h"

namespace zr590::platform::gtk {

MenuLabel menu_label(const char* text) {
  std::string_view whole = text != nullptr ? text : "";
  std::string_view shown = whole.substr(0, whole.find('\t'));
  std::string_view after_tab =
      shown.size() < whole.size() ? whole.substr(shown.size() + 1) : std::string_view{};

  std::string label;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    char c = shown[i];
    if (c == '&') {
      if (i + 1 < shown.size() && shown[i + 1] == '&') {
        label += '&';
        ++i;
      } else {
        label += '_';
      }
    } else if (c == '_') {
      label += "__";
    } else {
      label += c;
    }
  }

  MenuLabel result{display_utf8(label)};
  constexpr std::string_view kCtrl = "Ctrl+";
  if (after_tab.size() == kCtrl.size() + 1 && after_tab.substr(0, kCtrl.size()) == kCtrl &&
      std::isalpha(static_cast<unsigned char>(after_tab.back()))) {
    result.shortcut = static_cast<char>(std::toupper(static_cast<unsigned char>(after_tab.back())));
  }
  return result;
}

}  // namespace zr590::platform::gtk

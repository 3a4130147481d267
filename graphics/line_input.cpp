#include "line_input.h"

#include <zr590/zr590.h>

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

namespace zr590 {

std::string dialog_prompt(std::string_view prompt) {
  std::string shown(prompt.substr(0, platform::kPromptLength));
  shown.resize(platform::kPromptLength, ' ');
  return shown;
}

}  // namespace zr590

int ZR590_gets(const char* prompt, char* reply) {
  std::string_view asked = prompt != nullptr ? prompt : "";
  std::string typed;
  if (zr590::platform::current().line_dialog(asked, zr590::dialog_prompt(asked), typed) == -1) {
    return 0;
  }
  std::size_t length = std::min(typed.size(), zr590::platform::kReplyLength);
  std::memcpy(reply, typed.data(), length);
  reply[length] = '\0';
  return 1;
}

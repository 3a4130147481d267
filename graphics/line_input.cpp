#include <zr590/zr590.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/text_encoding.h"

// The prompt and the reply are shaped here, for every backend alike: the dialog shows what it is
// given and the caller's buffer never takes more than it holds, whatever a dialog hands back.
int ZR590_gets(const char* prompt, char* reply) {
  using namespace zr590::platform;
  Platform& backend = current();
  const TextBytes bytes = backend.text_bytes();
  std::string typed;
  if (backend.line_dialog(shape_dialog_prompt(prompt != nullptr ? prompt : "", bytes), typed) ==
      -1) {
    return 0;
  }
  cut_reply(typed, bytes);
  std::memcpy(reply, typed.data(), typed.size());
  reply[typed.size()] = '\0';
  return 1;
}

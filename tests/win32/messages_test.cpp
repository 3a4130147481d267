// Runs under Wine, built for the same width as the program under test: every native message
// the backend posts again (the text window forwards its keys) must come back from the
// platform's message exactly as it went in, at the full width of WPARAM and LPARAM.
#include <windows.h>

#include <cstdio>

#include "platform/win32/win32_messages.h"

using zr590::platform::Window;
using zr590::platform::win32::to_message;
using zr590::platform::win32::to_native;

int main() {
  const zr590::platform::win32::NativeMessage cases[] = {
      {WM_KEYDOWN, 'Q', 0x00100001},
      // A key-up's flags have bit 31 set: they must not come back sign-extended.
      {WM_KEYUP, VK_CONTROL, static_cast<LPARAM>(0xC01D0001u)},
      {WM_CHAR, 0xE9, 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0xFFFF, 0x8000)},
      {WM_COMMAND, MAKEWPARAM(8, 1), 0},
      {WM_TIMER, 2, 0},
  };
  int passed = 0;
  int failed = 0;
  for (const auto& in : cases) {
    const auto message = to_message(Window::Text, in.msg, in.wparam, in.lparam);
    const auto out = message ? to_native(*message) : std::nullopt;
    if (out && out->msg == in.msg && out->wparam == in.wparam && out->lparam == in.lparam) {
      ++passed;
      continue;
    }
    ++failed;
    std::printf("FAIL: message %#x (%#llx, %#llx) came back as (%#llx, %#llx)\n", in.msg,
                static_cast<unsigned long long>(in.wparam),
                static_cast<unsigned long long>(in.lparam),
                out ? static_cast<unsigned long long>(out->wparam) : 0ull,
                out ? static_cast<unsigned long long>(out->lparam) : 0ull);
  }
  // Losing the focus is a message of its own: a Ctrl released in another window is never seen.
  const auto lost = to_message(Window::Graphics, WM_KILLFOCUS, 0, 0);
  if (lost && lost->kind == zr590::platform::MessageKind::FocusLost) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAIL: WM_KILLFOCUS is not FocusLost\n");
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

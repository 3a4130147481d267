#include "platform/win32/win32_messages.h"

#include <cstdint>

namespace zr590::platform::win32 {

namespace {

// The parameters these messages carry are 32-bit words on both Win32 and Win64 (key codes,
// command words, timer ids, key flags, packed positions); the wider halves are zero. They
// travel as the 32 bits of an int and go back zero-extended, never sign-extended: a key-up's
// flags have bit 31 set.
int word_of(std::uintptr_t param) {
  return static_cast<int>(static_cast<std::uint32_t>(param));
}
WPARAM wparam_of(int word) {
  return static_cast<WPARAM>(static_cast<std::uint32_t>(word));
}
LPARAM lparam_of(int word) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>(word));
}

}  // namespace

std::optional<Message> to_message(Window window, UINT msg, WPARAM wparam, LPARAM lparam) {
  const int word = word_of(wparam);
  const int flags = word_of(static_cast<std::uintptr_t>(lparam));
  switch (msg) {
    case WM_CREATE:
      return Message{window, MessageKind::Create};
    case WM_DESTROY:
      return Message{window, MessageKind::Destroy};
    case WM_SIZE:
      return Message{window, MessageKind::Size, LOWORD(lparam), HIWORD(lparam)};
    case WM_PAINT:
      return Message{window, MessageKind::Paint};
    case WM_LBUTTONDOWN:
      // Client pixels as the two unsigned halves of the position word.
      return Message{window, MessageKind::LButtonDown, LOWORD(lparam), HIWORD(lparam)};
    case WM_KEYDOWN:
      return Message{window, MessageKind::KeyDown, word, flags};
    case WM_KEYUP:
      return Message{window, MessageKind::KeyUp, word, flags};
    case WM_CHAR:
      return Message{window, MessageKind::Char, word};
    case WM_COMMAND:
      return Message{window, MessageKind::Command, LOWORD(wparam), HIWORD(wparam)};
    case WM_TIMER:
      return Message{window, MessageKind::Timer, word};
    case WM_KILLFOCUS:
      return Message{window, MessageKind::FocusLost};
    default:
      return std::nullopt;
  }
}

std::optional<NativeMessage> to_native(const Message& message) {
  const WPARAM a = wparam_of(message.a);
  switch (message.kind) {
    case MessageKind::KeyDown:
      return NativeMessage{WM_KEYDOWN, a, lparam_of(message.b)};
    case MessageKind::KeyUp:
      return NativeMessage{WM_KEYUP, a, lparam_of(message.b)};
    case MessageKind::Char:
      return NativeMessage{WM_CHAR, a, 0};
    case MessageKind::LButtonDown:
      return NativeMessage{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(message.a, message.b)};
    case MessageKind::Command:
      return NativeMessage{WM_COMMAND, MAKEWPARAM(message.a, message.b), 0};
    case MessageKind::Timer:
      return NativeMessage{WM_TIMER, a, 0};
    default:
      return std::nullopt;
  }
}

}  // namespace zr590::platform::win32

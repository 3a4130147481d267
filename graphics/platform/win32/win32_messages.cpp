#include "platform/win32/win32_messages.h"

namespace zr590::platform::win32 {

std::optional<Message> to_message(Window window, UINT msg, WPARAM wparam, LPARAM lparam) {
  const int word = static_cast<int>(static_cast<DWORD>(wparam));
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
      return Message{window, MessageKind::KeyDown, word, static_cast<int>(lparam)};
    case WM_KEYUP:
      return Message{window, MessageKind::KeyUp, word, static_cast<int>(lparam)};
    case WM_CHAR:
      return Message{window, MessageKind::Char, word};
    case WM_COMMAND:
      return Message{window, MessageKind::Command, word};
    case WM_TIMER:
      return Message{window, MessageKind::Timer, word};
    default:
      return std::nullopt;
  }
}

std::optional<NativeMessage> to_native(const Message& message) {
  const WPARAM a = static_cast<WPARAM>(static_cast<DWORD>(message.a));
  switch (message.kind) {
    case MessageKind::KeyDown:
      return NativeMessage{WM_KEYDOWN, a, static_cast<LPARAM>(message.b)};
    case MessageKind::KeyUp:
      return NativeMessage{WM_KEYUP, a, static_cast<LPARAM>(message.b)};
    case MessageKind::Char:
      return NativeMessage{WM_CHAR, a, 0};
    case MessageKind::LButtonDown:
      return NativeMessage{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(message.a, message.b)};
    case MessageKind::Command:
      return NativeMessage{WM_COMMAND, a, 0};
    case MessageKind::Timer:
      return NativeMessage{WM_TIMER, a, 0};
    default:
      return std::nullopt;
  }
}

}  // namespace zr590::platform::win32

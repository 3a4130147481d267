#include "platform/win32/win32_messages.h"

namespace zr590::platform::win32 {

namespace {

// The parameters these messages carry are 32-bit words on both Win32 and Win64 (key codes,
// command words, timer ids, key flags, packed positions); the wider halves are zero. They
// travel as the 32 bits of an int and go back zero-extended, never sign-extended: a key-up's
// flags have bit 31 set.
int word_of(std::uintptr_t param) {
  return static_cast<int>(static_cast<std::uint32_t>(param));
}
WParam wparam_of(int word) {
  return static_cast<WParam>(static_cast<std::uint32_t>(word));
}
LParam lparam_of(int word) {
  return static_cast<LParam>(static_cast<std::uint32_t>(word));
}

// The two unsigned 16-bit halves of a word (positions, sizes, command words).
int low_half(std::uintptr_t param) {
  return static_cast<int>(param & 0xFFFF);
}
int high_half(std::uintptr_t param) {
  return static_cast<int>((param >> 16) & 0xFFFF);
}
std::uint32_t halves(int low, int high) {
  return (static_cast<std::uint32_t>(high) & 0xFFFF) << 16 |
         (static_cast<std::uint32_t>(low) & 0xFFFF);
}

}  // namespace

std::optional<Message> to_message(Window window, Uint msg, WParam wparam, LParam lparam) {
  const auto lword = static_cast<std::uintptr_t>(lparam);
  switch (msg) {
    case kWmCreate:
      return Message{window, MessageKind::Create};
    case kWmDestroy:
      return Message{window, MessageKind::Destroy};
    case kWmSize:
      return Message{window, MessageKind::Size, low_half(lword), high_half(lword)};
    case kWmPaint:
      return Message{window, MessageKind::Paint};
    case kWmLButtonDown:
      // Client pixels as the two unsigned halves of the position word.
      return Message{window, MessageKind::LButtonDown, low_half(lword), high_half(lword)};
    case kWmKeyDown:
      return Message{window, MessageKind::KeyDown, word_of(wparam), word_of(lword)};
    case kWmKeyUp:
      return Message{window, MessageKind::KeyUp, word_of(wparam), word_of(lword)};
    case kWmChar:
      return Message{window, MessageKind::Char, word_of(wparam)};
    case kWmCommand:
      // The menu id in the low half, the notification code in the high half.
      return Message{window, MessageKind::Command, low_half(wparam), high_half(wparam)};
    case kWmTimer:
      return Message{window, MessageKind::Timer, word_of(wparam)};
    case kWmKillFocus:
      return Message{window, MessageKind::FocusLost};
    default:
      return std::nullopt;
  }
}

std::optional<NativeMessage> to_native(const Message& message) {
  const WParam a = wparam_of(message.a);
  switch (message.kind) {
    case MessageKind::KeyDown:
      return NativeMessage{kWmKeyDown, a, lparam_of(message.b)};
    case MessageKind::KeyUp:
      return NativeMessage{kWmKeyUp, a, lparam_of(message.b)};
    case MessageKind::Char:
      return NativeMessage{kWmChar, a, 0};
    case MessageKind::LButtonDown:
      return NativeMessage{kWmLButtonDown, kMkLButton,
                           static_cast<LParam>(halves(message.a, message.b))};
    case MessageKind::Command:
      return NativeMessage{kWmCommand, halves(message.a, message.b), 0};
    case MessageKind::Timer:
      return NativeMessage{kWmTimer, a, 0};
    default:
      return std::nullopt;
  }
}

}  // namespace zr590::platform::win32

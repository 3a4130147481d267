// Conversion between the window system's messages and the platform's own messages: the one
// place where message words are unpacked.
#pragma once

#include <optional>

#include "platform/platform.h"
#include "platform/win32/win32_numbers.h"

namespace zr590::platform::win32 {

// The platform message for a native one, or nothing for a message the logic does not take.
// A key message keeps its native lParam in `b`, so that a forwarded key is posted with the
// parameters it came with.
std::optional<Message> to_message(Window window, Uint msg, WParam wparam, LParam lparam);

struct NativeMessage {
  Uint msg;
  WParam wparam;
  LParam lparam;
};

// The native message that carries a platform message, or nothing for the messages that only
// the window system itself sends (create, destroy, size, paint, focus).
std::optional<NativeMessage> to_native(const Message& message);

}  // namespace zr590::platform::win32

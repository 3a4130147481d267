// Conversion between the window system's messages and the platform's own messages.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/platform.h"

namespace zr590::platform::win32 {

// The platform message for a native one, or nothing for a message the logic does not take.
// A key message keeps its native lParam in `b`, so that a forwarded key is posted with the
// parameters it came with.
std::optional<Message> to_message(Window window, UINT msg, WPARAM wparam, LPARAM lparam);

struct NativeMessage {
  UINT msg;
  WPARAM wparam;
  LPARAM lparam;
};

// The native message that carries a platform message, or nothing for the messages that only
// the window system itself sends (create, destroy, size, paint).
std::optional<NativeMessage> to_native(const Message& message);

}  // namespace zr590::platform::win32

// The Win32 backend's message conversion, built natively: every native message the backend
// posts again (the text window forwards its keys) comes back from the platform's message
// exactly as it went in, at the full width of WPARAM and LPARAM.
#include <gtest/gtest.h>

#include "platform/win32/win32_messages.h"

namespace zr590::platform::win32 {
namespace {

TEST(Win32Messages, PostedMessagesComeBackAsTheyWentIn) {
  const NativeMessage cases[] = {
      {kWmKeyDown, 'Q', 0x00100001},
      // A key-up's flags have bit 31 set: they must not come back sign-extended.
      {kWmKeyUp, kCtrlKey, static_cast<LParam>(0xC01D0001u)},
      {kWmChar, 0xE9, 0},
      {kWmLButtonDown, kMkLButton, static_cast<LParam>(0x8000FFFFu)},
      {kWmCommand, 0x00010008, 0},
      {kWmTimer, 2, 0},
  };
  for (const NativeMessage& in : cases) {
    const std::optional<Message> message = to_message(Window::Text, in.msg, in.wparam, in.lparam);
    ASSERT_TRUE(message.has_value()) << in.msg;
    const std::optional<NativeMessage> out = to_native(*message);
    ASSERT_TRUE(out.has_value()) << in.msg;
    EXPECT_EQ(out->msg, in.msg);
    EXPECT_EQ(out->wparam, in.wparam) << in.msg;
    EXPECT_EQ(out->lparam, in.lparam) << in.msg;
  }
}

// The logic gets words already unpacked: positions and sizes as two unsigned halves, a menu
// command as its id and notification code.
TEST(Win32Messages, WordsAreUnpackedHere) {
  struct Case {
    Uint msg;
    WParam wparam;
    LParam lparam;
    MessageKind kind;
    int a, b;
  };
  const Case cases[] = {
      {kWmLButtonDown, kMkLButton, static_cast<LParam>(0x8000FFFFu), MessageKind::LButtonDown,
       0xFFFF, 0x8000},
      {kWmSize, 0, static_cast<LParam>(0x01EF0253u), MessageKind::Size, 595, 495},
      {kWmCommand, 0x00010008, 0, MessageKind::Command, 8, 1},
      {kWmKillFocus, 0, 0, MessageKind::FocusLost, 0, 0},
  };
  for (const Case& c : cases) {
    const std::optional<Message> message = to_message(Window::Graphics, c.msg, c.wparam, c.lparam);
    ASSERT_TRUE(message.has_value()) << c.msg;
    EXPECT_EQ(message->kind, c.kind) << c.msg;
    EXPECT_EQ(message->a, c.a) << c.msg;
    EXPECT_EQ(message->b, c.b) << c.msg;
  }
}

}  // namespace
}  // namespace zr590::platform::win32

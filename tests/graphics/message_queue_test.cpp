// The library's message queue: the order it hands messages out in.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace zr590::platform {
namespace {

Input input(int a) {
  return {{Window::Graphics, MessageKind::LButtonDown, a}};
}

TEST(MessageQueue, PostedThenQuitThenInputThenOneTick) {
  MessageQueue queue;
  EXPECT_FALSE(queue.ready());
  queue.timer_fired(2);
  queue.timer_fired(2);  // ticks do not pile up
  queue.push_input(input(1));
  queue.post_quit();
  queue.push_input(input(2));
  queue.post({Window::Graphics, MessageKind::KeyDown, 76});

  Input m;
  ASSERT_EQ(queue.take(true, m), MessageQueue::Next::Message);
  EXPECT_EQ(m.message.kind, MessageKind::KeyDown);
  EXPECT_EQ(queue.take(true, m), MessageQueue::Next::Quit);
  ASSERT_EQ(queue.take(true, m), MessageQueue::Next::Message);
  EXPECT_EQ(m.message.a, 1);
  ASSERT_EQ(queue.take(true, m), MessageQueue::Next::Message);
  EXPECT_EQ(m.message.a, 2);
  ASSERT_EQ(queue.take(true, m), MessageQueue::Next::Message);
  EXPECT_EQ(m.message.kind, MessageKind::Timer);
  EXPECT_EQ(m.message.a, 2);
  EXPECT_EQ(queue.take(true, m), MessageQueue::Next::Nothing);
}

TEST(MessageQueue, ModalLoopLeavesTheQuitAndAStoppedTimerTicksNoMore) {
  MessageQueue queue;
  queue.post_quit();
  queue.push_input(input(7));
  queue.timer_fired(2);
  queue.timer_stopped(2);
  Input m;
  ASSERT_EQ(queue.take(false, m), MessageQueue::Next::Message);
  EXPECT_EQ(m.message.a, 7);
  EXPECT_EQ(queue.take(false, m), MessageQueue::Next::Nothing);
  EXPECT_TRUE(queue.ready());
  EXPECT_EQ(queue.take(true, m), MessageQueue::Next::Quit);
  EXPECT_FALSE(queue.ready());
}

}  // namespace
}  // namespace zr590::platform

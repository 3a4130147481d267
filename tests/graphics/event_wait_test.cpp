// The event wait against a scripted message source: ticks, animation, quit, dialogs.
#include "event_core.h"
#include "library_fixture.h"
#include "menu.h"

namespace zr590::testing {
namespace {

using platform::MessageKind;

class EventWaitTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    open();
    // Nothing more to come: these tests treat an empty queue as a failure, not as the close box.
    platform_.on_queue_empty = [this] {
      ran_dry_ = true;
      platform_.push_close();
    };
  }
  bool ran_dry_ = false;
};

TEST_F(EventWaitTest, ATickBeforeTheWaitDoesNotCount) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  // A tick handled before the wait began, as between two waits.
  event_core().tick();
  tick();
  EXPECT_EQ(await(), Periodic);
  // The wait needed the later tick too.
  EXPECT_EQ(platform_.queued(), 0u);
  EXPECT_FALSE(ran_dry_);
}

TEST_F(EventWaitTest, InputReplacesAStagedPeriodicEvent) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  click(300, 270);
  tick();
  EXPECT_EQ(await(), Mouse);
  EXPECT_EQ(await(), Periodic);
  EXPECT_FALSE(ran_dry_);
}

TEST_F(EventWaitTest, HaltWhileAPeriodicEventIsStagedDoesNotWithdrawIt) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  ctrl('H');
  tick();
  EXPECT_EQ(await(), Periodic);
  EXPECT_FALSE(event_core().view().running);
  tick();
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
}

TEST_F(EventWaitTest, AnimateQuitReturnsQuitWithZeroesAndEveryLaterWaitToo) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  ZR590_animate(static_cast<int>(AnimationState::Quit));
  tick();
  int x = 7, y = 7;
  char key = 'k';
  EXPECT_EQ(await(&x, &y, &key), Quit);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(key, 0);
  click(310, 260);
  EXPECT_EQ(await(&x, &y), Quit);
  EXPECT_EQ(x, 10);  // the event's own values, reported as Quit
}

TEST_F(EventWaitTest, SingleStepWhileRunningKeepsRunning) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  ZR590_animate(static_cast<int>(AnimationState::SingleStep));
  tick();
  tick();
  EXPECT_EQ(await(), Periodic);
  EXPECT_EQ(await(), Periodic);
  EXPECT_TRUE(event_core().view().running);
}

TEST_F(EventWaitTest, HaltDropsAPendingStepButTheHaltCommandKeepsIt) {
  ZR590_animate(static_cast<int>(AnimationState::SingleStep));
  ZR590_animate(static_cast<int>(AnimationState::Halt));
  tick();
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
  // Advance one frame, then the Halt command: the step stays pending.
  command(CmdAdvanceFrame);
  command(CmdHalt);
  tick();
  EXPECT_EQ(await(), Periodic);
  tick();
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
}

TEST_F(EventWaitTest, AClickWhileTheDialogIsOpenIsNotReturned) {
  platform_.during_dialog = [this] {
    // The dialog's modal loop dispatches what arrives meanwhile.
    click(300, 270);
    platform_.take_message();
  };
  char reply[256];
  ZR590_gets("name?", reply);
  EXPECT_EQ(event_core().view().slot.kind, Mouse);
  click(310, 270);
  int x = 0;
  EXPECT_EQ(await(&x), Mouse);
  EXPECT_EQ(x, 10);
}

TEST_F(EventWaitTest, TheWaitCopiesAChangedPictureOnceBeforeItBlocks) {
  int before = platform_.copies();
  ZR590_rectangle(2, -5, 5, 5, -5, 0);
  ZR590_rectangle(4, -2, 2, 2, -2, 0);
  bool copied_before_block = false;
  platform_.on_queue_empty = [&] {
    copied_before_block = platform_.window_surface().pixel(300, 270) == kBlue;
    click(300, 270);
  };
  EXPECT_EQ(await(), Mouse);
  EXPECT_TRUE(copied_before_block);
  EXPECT_EQ(platform_.copies(), before + 1);
}

TEST_F(EventWaitTest, ThePlatformQuitEndsTheWaitEvenWhileAnimating) {
  ZR590_animate(static_cast<int>(AnimationState::Run));
  command(CmdQuit);
  EXPECT_EQ(await(), Quit);
  // After Quit the library does not stop by itself: a further wait waits again.
  click(300, 270);
  EXPECT_EQ(await(), Mouse);
}

}  // namespace
}  // namespace zr590::testing

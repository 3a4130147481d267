// The graphics window procedure: coordinates, keys and shortcuts, menu, quit.
#include <cstring>
#include <map>

#include "event_core.h"
#include "frame.h"
#include "library_fixture.h"
#include "menu.h"

namespace zr590::testing {
namespace {

using platform::MessageKind;

class WindowProcTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    open();
  }
  void character(int code) { send(MessageKind::Char, code); }
};

TEST_F(WindowProcTest, ClicksBecomeLibraryCoordinatesAroundTheRealCentre) {
  int x, y;
  click(300, 270);
  click(310, 250);
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  platform_.resize_client(595, 500);
  EXPECT_EQ(window_state.centre_x, 297);
  EXPECT_EQ(window_state.centre_y, 250);
  click(0, 0);
  EXPECT_EQ(await(&x, &y), Mouse);
  EXPECT_EQ(x, -297);
  EXPECT_EQ(y, 250);
}

TEST_F(WindowProcTest, CtrlLetterRunsItsCommandAndDropsTheCharacter) {
  send(MessageKind::KeyDown, 17);
  send(MessageKind::KeyDown, 'A');
  character('a');
  send(MessageKind::KeyUp, 'A');
  send(MessageKind::KeyUp, 17);
  character('a');
  char key = 0;
  // With the animation now running, a tick yields nothing before the typed character.
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 97);
  EXPECT_TRUE(event_core().view().running);
}

// The letter keys named after "Ctrl+" in the menu, and nothing else: 97-122 are the keypad's
// and F1-F11's codes (Ctrl+F2 must not quit).
TEST_F(WindowProcTest, OnlyTheLetterKeysTheMenuNamesAreShortcuts) {
  std::map<int, int> named;  // key code -> command
  for (const platform::MenuItem& item : platform_.menu()) {
    const std::string shortcut = platform::shortcut_text(item);
    if (!shortcut.empty()) named[shortcut.back()] = item.id;
  }
  ASSERT_EQ(named.size(), 8u);
  for (int code = 0; code < 256; ++code) {
    auto it = named.find(code);
    EXPECT_EQ(command_for_shortcut(code), it == named.end() ? 0 : it->second) << code;
  }
}

// Ctrl held across two letters: the first letter's key-up does not end it, and the control codes
// the letters type (Ctrl+H types a Backspace) never reach the program as keys.
TEST_F(WindowProcTest, CtrlHeldAcrossTwoLettersTypesNothing) {
  using platform::Window;
  const bool logging = platform_.menu_checked(CmdLogging);
  send(MessageKind::KeyDown, 17);
  for (char letter : {'H', 'L'}) {
    platform_.push_input({{Window::Graphics, MessageKind::KeyDown, letter}, letter & 0x1F});
    send(MessageKind::KeyUp, letter);
  }
  send(MessageKind::KeyUp, 17);
  character('x');
  char key = 0;
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, 'x');
  EXPECT_NE(platform_.menu_checked(CmdLogging), logging) << "Ctrl+L after Ctrl+H";
}

// Ctrl released while another program (or the dialog) had the focus: losing the focus, by
// either window, ends Ctrl, so that a plain q is typed rather than quitting.
TEST_F(WindowProcTest, LosingTheFocusReleasesCtrl) {
  for (platform::Window window : {platform::Window::Graphics, platform::Window::Text}) {
    send(MessageKind::KeyDown, 17);
    platform_.push_message({window, MessageKind::FocusLost});
    send(MessageKind::KeyDown, 'Q');
    character('q');
    char key = 0;
    EXPECT_EQ(await(nullptr, nullptr, &key), Key);
    EXPECT_EQ(key, 'q');
  }
}

TEST_F(WindowProcTest, CharacterCodesAbove127ArriveAsNegativeKeys) {
  character(233);
  character(0x1E9);  // only the low 8 bits count
  char key = 0;
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, -23);
  EXPECT_EQ(await(nullptr, nullptr, &key), Key);
  EXPECT_EQ(key, -23);
}

TEST_F(WindowProcTest, QuitFromShortcutMenuAndCloseBoxEachEndOneWait) {
  ctrl('Q');
  click(1, 1);
  EXPECT_EQ(await(), Quit);
  EXPECT_TRUE(platform_.window_exists(platform::Window::Graphics));
  EXPECT_EQ(await(), Mouse);
  command(CmdQuit);
  EXPECT_EQ(await(), Quit);
  EXPECT_TRUE(platform_.window_exists(platform::Window::Text));
  platform_.push_close();
  int x = 5, y = 5;
  EXPECT_EQ(await(&x, &y), Quit);
  EXPECT_EQ(x, 0);
  EXPECT_FALSE(platform_.window_exists(platform::Window::Graphics));
  EXPECT_FALSE(platform_.timer_running());
}

// The menu in Windows' form, as the Win32 backend writes it.
std::string windows_text(const platform::MenuItem& item) {
  if (item.label == nullptr) return "(separator)";
  const std::string shortcut = platform::shortcut_text(item);
  return platform::marked_label(item, '&') + (shortcut.empty() ? "" : "\t" + shortcut);
}

TEST_F(WindowProcTest, MenuHasItsSixteenItemsAndThreeCheckMarks) {
  ASSERT_EQ(platform_.menu().size(), 16u);
  EXPECT_EQ(windows_text(platform_.menu_title()), "&Run");
  EXPECT_EQ(windows_text(platform_.menu()[0]), "&Animate\tCtrl+A");
  EXPECT_EQ(windows_text(platform_.menu()[2]), "Advance one &frame\tCtrl+F");
  EXPECT_EQ(windows_text(platform_.menu()[3]), "(separator)");
  EXPECT_EQ(windows_text(platform_.menu()[8]), "Play &One Script\tCtrl+O");
  EXPECT_EQ(windows_text(platform_.menu()[12]), "ZR590 v2.2 July 1997");
  EXPECT_EQ(std::strncmp(platform_.menu()[13].label, "MAC: ", 5), 0);
  EXPECT_TRUE(platform_.menu()[15].greyed);
  EXPECT_TRUE(platform_.menu()[4].checked);
  // Logging from the menu: checked, but a hidden text window stays hidden.
  ZR590_show_text_window(0);
  command(CmdLogging);
  click(1, 1);
  await();
  EXPECT_TRUE(window_state.logging_on);
  EXPECT_TRUE(platform_.menu_checked(CmdLogging));
  EXPECT_FALSE(platform_.visible(platform::Window::Text));
  ZR590_logging(1);
  EXPECT_TRUE(platform_.visible(platform::Window::Text));
  ZR590_logging(0);
  EXPECT_TRUE(platform_.visible(platform::Window::Text));
}

// A program that asked for visible logging sees the text window whenever the menu or Ctrl+L
// switches logging on; switching off leaves the window as it is.
TEST_F(WindowProcTest, VisibleLoggingShowsTheTextWindowWhenTheMenuSwitchesLoggingOn) {
  using platform::Window;
  EXPECT_EQ(ZR590_visible_logging(1), 1);
  ZR590_logging(0);
  ZR590_show_text_window(0);
  const struct {
    bool shortcut;
    bool visibleBefore;
    bool loggingAfter;
    bool visibleAfter;
  } steps[] = {
      {false, false, true, true},   // menu: on, shown
      {false, true, false, true},   // menu: off, still shown
      {true, false, true, true},    // hidden meanwhile; Ctrl+L: on, shown
      {true, false, false, false},  // hidden meanwhile; Ctrl+L: off, stays hidden
  };
  for (const auto& step : steps) {
    ZR590_show_text_window(step.visibleBefore ? 1 : 0);
    if (step.shortcut) {
      ctrl('L');
    } else {
      command(CmdLogging);
    }
    click(1, 1);
    await();
    EXPECT_EQ(window_state.logging_on, step.loggingAfter);
    EXPECT_EQ(platform_.visible(Window::Text), step.visibleAfter);
  }
}

TEST_F(WindowProcTest, CommandWordsWithANotificationCodeAreIgnored) {
  send(MessageKind::Command, CmdAnimate, 1);
  command(42);
  click(1, 1);
  await();
  EXPECT_FALSE(event_core().view().running);
}

TEST_F(WindowProcTest, TextWindowForwardsKeysToTheGraphicsWindow) {
  using platform::Window;
  platform_.push_message({Window::Text, MessageKind::KeyDown, 17});
  platform_.push_message({Window::Text, MessageKind::KeyDown, 76});
  platform_.push_message({Window::Text, MessageKind::KeyUp, 76});
  platform_.push_message({Window::Text, MessageKind::KeyUp, 17});
  click(1, 1);
  await();
  EXPECT_TRUE(window_state.logging_on);
  EXPECT_FALSE(event_core().view().ctrl_held);
}

TEST_F(WindowProcTest, PaintCopiesThePictureToTheWindow) {
  ZR590_rectangle(2, -10, 10, 10, -10, 0);
  send(MessageKind::Paint);
  platform_.take_message();
  EXPECT_EQ(platform_.window_surface().pixel(300, 270), kRed);
  EXPECT_FALSE(frames.changed());
}

TEST_F(WindowProcTest, LibraryRefusesBeforeItIsOpen) {
  reset_library_state();
  EXPECT_EQ(ZR590_logging(1), 0);
  EXPECT_EQ(ZR590_animate(2), 0);
  EXPECT_FALSE(event_core().view().running);
}

}  // namespace
}  // namespace zr590::testing

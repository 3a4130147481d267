// The display object: single instance, clearing, animation modes, forwarding.
#include <zr590/display.h>

#include "event_core.h"
#include "library_fixture.h"

namespace zr590::testing {
namespace {

using Lines = std::vector<std::string>;

class DisplayTest : public LibraryTest {};

TEST_F(DisplayTest, OpensTheLibraryWithLoggingOffAndClosesIt) {
  {
    Display display;
    EXPECT_TRUE(platform_.window_exists(platform::Window::Graphics));
    EXPECT_TRUE(platform_.timer_running());
    EXPECT_FALSE(window_state.logging_on);
    EXPECT_FALSE(platform_.menu_checked(4));
    EXPECT_TRUE(platform_.window_dc_held());
  }
  EXPECT_FALSE(platform_.window_dc_held());
}

TEST_F(DisplayTest, ClearFlushesClearsAndFillsTheDrawingArea) {
  Display display;
  ZR590_logging(1);
  clear_lines();
  display.clear(0);
  EXPECT_EQ(lines(),
            (Lines{"Flushing the graphics window\n", "Clearing the graphics window\n",
                   "black rectangle with bounding box (-300,250) to (300,-250), filled\n"}));
  EXPECT_EQ(at_point(-300, 250), kBlack);
  EXPECT_EQ(at_point(300, -250), kBlack);
  EXPECT_EQ(at_point(0, 0), kBlack);
  EXPECT_EQ(at_point(0, 251), kWhite);
  display.clear(1);
  EXPECT_EQ(at_point(0, 0), kWhite);
  ZR590_logging(0);
  clear_lines();
  display.clear(25);
  EXPECT_EQ(lines(), Lines{"Illegal color 25; using RED.\n"});
  EXPECT_EQ(at_point(100, -100), kRed);
}

TEST_F(DisplayTest, AnimationModesMapToTheLibrarysStates) {
  auto state = [] { return event_core().view(); };
  {
    Display display;
    display.setAnimation(2);
    EXPECT_TRUE(state().running);
    display.setAnimation(0);
    EXPECT_FALSE(state().running);
    display.setAnimation(1);
    EXPECT_TRUE(state().step_requested);
    display.setAnimation(4);
    display.setAnimation(-1);
    EXPECT_FALSE(state().quit_requested);
    EXPECT_TRUE(state().step_requested);
  }
  // Quit is never withdrawn: the display's 3 and the library's own 5, each in a fresh library.
  for (int mode : {3, 5}) {
    reset_library_state();
    Display display;
    display.setAnimation(mode);
    EXPECT_TRUE(state().quit_requested) << mode;
  }
}

TEST_F(DisplayTest, DrawTextDrawsAPercentSignLiterally) {
  Display display;
  ZR590_logging(1);
  clear_lines();
  EXPECT_EQ(display.drawText(0, 0, "100% %d %s", 0, 10), 10);
  EXPECT_EQ(lines(), Lines{"black text at (0,0), \"100% %d %s\"\n"});
}

TEST_F(DisplayTest, ForwardsCoordinatesFirstThenColourAndWidth) {
  Display display;
  ZR590_logging(1);
  clear_lines();
  EXPECT_EQ(display.drawLine(1, 2, 3, 4, 5, 6), 1);
  EXPECT_EQ(display.drawTriangle(1, 2, 3, 4, 5, 6, 7, 0), 1);
  EXPECT_EQ(display.drawOval(-1, 2, 3, -4, 8, 2), 1);
  EXPECT_EQ(display.drawCircle(1, 2, -3, 9), 1);
  EXPECT_EQ(lines(), (Lines{"yellow line from (1,2) to (3,4), width 6\n",
                            "cyan triangle at (1,2), (3,4), (5,6)\n",
                            "purple oval with bounding box (-1,2) to (3,-4), line width 2\n",
                            "Radius of -3 not possible, using radius 3\n",
                            "navy blue circle at (1,2), radius 3\n"}));
}

// A figure given as data draws what its own call draws: the same log line or message, the
// same pixels, in order; a kind that is none of the three draws nothing.
TEST_F(DisplayTest, FiguresAsDataDrawAsTheirOwnCalls) {
  Display display;
  auto own = [&](const Figure& f) {
    switch (f.kind) {
      case Figure::Rectangle:
        return display.drawRectangle(f.x1, f.y1, f.x2, f.y2, f.colour, f.width);
      case Figure::Oval:
        return display.drawOval(f.x1, f.y1, f.x2, f.y2, f.colour, f.width);
      default:
        return display.drawTriangle(f.x1, f.y1, f.x2, f.y2, f.x3, f.y3, f.colour, f.width);
    }
  };
  // Every pixel, and the lines written, after drawing a clear picture with `draw`.
  auto outcome = [&](auto draw) {
    display.clear(1);
    clear_lines();
    draw();
    std::vector<platform::Rgb> pixels;
    for (int y = 0; y < platform::kPictureHeight; y += 2) {
      for (int x = 0; x < platform::kPictureWidth; ++x) pixels.push_back(at(x, y));
    }
    return std::pair{lines(), pixels};
  };
  for (int logging : {0, 1}) {
    ZR590_logging(logging);
    for (Figure::Kind kind : {Figure::Rectangle, Figure::Oval, Figure::Triangle}) {
      // Corners out of order, colours and widths good and bad.
      for (auto [colour, width] : {std::pair{4, 0}, {5, 3}, {30, 1}, {6, -2}, {-1, -1}}) {
        const Figure f{kind, colour, width, 40, -30, -20, 50, 10, 60};
        const Figure pair[] = {f, {kind, 2, 0, -90, 10, -40, 70, -60, 90}};
        EXPECT_EQ(outcome([&] { EXPECT_EQ(display.drawFigures(pair, 2), 2); }),
                  outcome([&] { own(pair[0]), own(pair[1]); }))
            << kind << " " << colour << " " << width << " " << logging;
      }
    }
  }
  const Figure unknown{static_cast<Figure::Kind>(7), 0, 0, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(outcome([&] { EXPECT_EQ(display.drawFigures(&unknown, 1), 0); }), outcome([] {}));
}

TEST_F(DisplayTest, NextEventPassesTheLibrarysKinds) {
  Display display;
  click(310, 250);
  platform_.push_message({platform::Window::Graphics, platform::MessageKind::Char, 'c'});
  int x = -1, y = -1;
  char key = 'z';
  EXPECT_EQ(display.nextEvent(x, y, key), Mouse);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(display.nextEvent(x, y, key), Key);
  EXPECT_EQ(key, 'c');
  EXPECT_EQ(x, 0);
  EXPECT_EQ(display.nextEvent(x, y, key), Quit);
}

using DisplayDeathTest = DisplayTest;

TEST_F(DisplayDeathTest, ASecondDisplayShowsTheErrorAndExitsWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        Display first;
        platform_.set_transcript(&std::cerr);
        Display second;
      },
      ::testing::ExitedWithCode(255),
      "dialog: Error: Attempted to instantiate multiple ZR590 displays");
}

}  // namespace
}  // namespace zr590::testing

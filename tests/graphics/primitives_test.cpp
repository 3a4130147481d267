// Argument checks, substitution messages and log lines of the drawing primitives.
#include <climits>
#include <string>

#include "library_fixture.h"

namespace zr590::testing {
namespace {

using Lines = std::vector<std::string>;

class PrimitivesTest : public LibraryTest {};

TEST_F(PrimitivesTest, BadColoursAreReplacedByRedWithOneMessageEach) {
  open();
  ZR590_rectangle(-1, 0, 0, 0, 0, 1);
  ZR590_rectangle(24, 1, 1, 1, 1, 1);
  ZR590_rectangle(23, 2, 2, 2, 2, 1);
  EXPECT_EQ(lines(), (Lines{"Illegal color -1; using RED.\n", "Illegal color 24; using RED.\n"}));
  EXPECT_EQ(at_point(0, 0), kRed);
  EXPECT_EQ(at_point(1, 1), kRed);
  EXPECT_EQ(at_point(2, 2), (platform::Rgb{204, 204, 204}));
}

TEST_F(PrimitivesTest, LogLineNamesTheSubstitutedColourAfterItsMessage) {
  open(true);
  ZR590_circle(99, 5, 6, 7);
  EXPECT_EQ(lines(), (Lines{"Illegal color 99; using RED.\n", "red circle at (5,6), radius 7\n"}));
}

// A bad colour and a bad width: each primitive says so in its own order (the oval and the line
// name the width first).
TEST_F(PrimitivesTest, EachPrimitiveChecksColourAndWidthInItsOrder) {
  const std::string width = "Width of -2 not possible, using width 2\n";
  const std::string colour = "Illegal color 30; using RED.\n";
  const struct {
    const char* name;
    void (*draw)();
    Lines messages;
  } cases[] = {
      {"oval", [] { ZR590_oval(30, 0, 0, 10, 10, -2); }, {width, colour}},
      {"line", [] { ZR590_line(30, 0, 0, 10, 10, -2); }, {width, colour}},
      {"rectangle", [] { ZR590_rectangle(30, 0, 0, 10, 10, -2); }, {colour, width}},
      {"triangle", [] { ZR590_triangle(30, 0, 0, 10, 10, 5, 0, -2); }, {colour, width}},
  };
  open();
  for (const auto& c : cases) {
    clear_lines();
    c.draw();
    EXPECT_EQ(lines(), c.messages) << c.name;
  }
}

TEST_F(PrimitivesTest, LineAndTriangleWidthMessagesAndLogs) {
  open(true);
  ZR590_line(4, 0, 0, 10, 0, 0);
  ZR590_line(4, 0, 5, 10, 5, -3);
  ZR590_triangle(3, 1, 2, 3, 4, 5, 6, -1);
  EXPECT_EQ(lines(), (Lines{"blue line from (0,0) to (10,0), width 0\n",
                            "Width of -3 not possible, using width 3\n",
                            "blue line from (0,5) to (10,5), width 3\n",
                            "Width of -1 not possible, using width 1\n",
                            "green triangle at (1,2), (3,4), (5,6)\n"}));
  // Width 0 still draws one pixel wide; width 3 three rows.
  EXPECT_EQ(at_point(5, 0), kBlue);
  EXPECT_EQ(at_point(5, 1), kWhite);
  EXPECT_EQ(at_point(5, -1), kWhite);
  EXPECT_EQ(at_point(8, 4), kBlue);
  EXPECT_EQ(at_point(8, 6), kBlue);
}

TEST_F(PrimitivesTest, RectangleCornersAreOrderedWhateverTheirOrder) {
  open(true);
  const int corners[4][4] = {
      {10, 10, -10, -10}, {-10, -10, 10, 10}, {-10, 10, 10, -10}, {10, -10, -10, 10}};
  for (const auto& c : corners) {
    clear_lines();
    ZR590_rectangle(0, c[0], c[1], c[2], c[3], 1);
    EXPECT_EQ(lines(),
              Lines{"black rectangle with bounding box (-10,10) to (10,-10) with line width 1\n"});
  }
  clear_lines();
  ZR590_rectangle(0, 10, 10, -10, -10, 0);
  ZR590_oval(2, 10, -10, -10, 10, 0);
  ZR590_oval(2, 10, -10, -10, 10, 4);
  EXPECT_EQ(lines(), (Lines{"black rectangle with bounding box (-10,10) to (10,-10), filled\n",
                            "red oval with bounding box (-10,10) to (10,-10), filled\n",
                            "red oval with bounding box (-10,10) to (10,-10), line width 4\n"}));
}

TEST_F(PrimitivesTest, RadiusMessagesAndCircleIsAlwaysFilled) {
  open(true);
  ZR590_circle(0, 0, 0, 0);
  ZR590_circle(4, 50, 50, -5);
  EXPECT_EQ(lines(), (Lines{"black circle at (0,0), radius 0\n",
                            "Radius of -5 not possible, using radius 5\n",
                            "blue circle at (50,50), radius 5\n"}));
  EXPECT_EQ(at_point(0, 0), kBlack);
  EXPECT_EQ(at_point(50, 50), kBlue);
  EXPECT_EQ(at_point(55, 50), kBlue);
  EXPECT_EQ(at_point(56, 50), kWhite);
}

TEST_F(PrimitivesTest, PointSizeMessages) {
  open(true);
  EXPECT_EQ(ZR590_text(0, 0, 0, 200, "%s", "a"), 1);
  EXPECT_EQ(lines(), (Lines{"ptsize of 200 not possible, using ptsize 127\n",
                            "black text at (0,0), \"a\"\n"}));
  clear_lines();
  ZR590_text(0, 0, 0, -200, "b");
  EXPECT_EQ(lines(), (Lines{"ptsize of -200 not possible, using ptsize 200\n",
                            "ptsize of 200 not possible, using ptsize 127\n",
                            "black text at (0,0), \"b\"\n"}));
  clear_lines();
  ZR590_text(0, 0, 0, -127, "c");
  EXPECT_EQ(lines().size(), 2u);
  EXPECT_EQ(lines()[0], "ptsize of -127 not possible, using ptsize 127\n");
}

TEST_F(PrimitivesTest, TextReturnsFormattedLengthAndLogsTheTextInQuotes) {
  open(true);
  EXPECT_EQ(ZR590_text(2, -3, 4, 10, "%d%% of %s", 50, "it"), 9);
  EXPECT_EQ(lines(), Lines{"red text at (-3,4), \"50% of it\"\n"});
}

TEST_F(PrimitivesTest, WithLoggingOffValidCallsWriteNothing) {
  open(false);
  ZR590_circle(0, 0, 0, 3);
  ZR590_triangle(1, 0, 0, 5, 5, 10, 0, 0);
  ZR590_rectangle(2, 0, 0, 5, 5, 1);
  ZR590_oval(3, 0, 0, 5, 5, 0);
  ZR590_line(4, 0, 0, 5, 5, 2);
  ZR590_text(5, 0, 0, 12, "x");
  ZR590_clear();
  ZR590_flush();
  EXPECT_TRUE(lines().empty());
  EXPECT_TRUE(platform_.text_lines().empty());
}

TEST_F(PrimitivesTest, LongTextIsCutAt1023CharactersNeverOverrun) {
  open(true);
  std::string long_text(5000, 'x');
  EXPECT_EQ(ZR590_text(0, 0, 0, 10, "%s", long_text.c_str()), 1023);
  ASSERT_EQ(lines().size(), 1u);
  // The log line itself is cut at the line buffer's size too.
  EXPECT_EQ(lines()[0].size(), 1023u);
  EXPECT_EQ(lines()[0].rfind("black text at (0,0), \"xxx", 0), 0u);
  EXPECT_EQ(ZR590_printf("%s", long_text.c_str()), 1023);
  EXPECT_EQ(lines().back(), std::string(1023, 'x'));
}

TEST_F(PrimitivesTest, MostNegativeValuesDoNotOverflow) {
  open(true);
  ZR590_circle(0, 0, 0, INT_MIN);
  ZR590_line(0, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  ZR590_text(0, INT_MAX, INT_MIN, INT_MIN, "x");
  ZR590_rectangle(0, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0);
  EXPECT_EQ(lines()[0], "Radius of -2147483648 not possible, using radius -2147483648\n");
  // The whole picture is inside that rectangle.
  EXPECT_EQ(at(1, 1), kBlack);
  EXPECT_EQ(at(599, 538), kBlack);
}

}  // namespace
}  // namespace zr590::testing
